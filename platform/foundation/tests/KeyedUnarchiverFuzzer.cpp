// libFuzzer entry for the keyed unarchiver and the property-list reader beneath it. Built only by clang;
// configure with -DPELORAMA_SANITIZE='address;undefined;fuzzer-no-link' for coverage of the library.
#include "foundation/KeyedUnarchiver.h"
#include "foundation/PropertyListSerialization.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static const foundation::KeyedUnarchiver unarchiver({"Array", "Dictionary", "URL"});
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), qsizetype(size));
    (void)unarchiver.unarchivedObject(data);
    (void)foundation::PropertyListSerialization::propertyListFromData(data);
    return 0;
}
