#pragma once

#include <QLatin1String>

namespace foundation::keyedArchive {

// Names of the keyed-archive layout that the archiver writes and the unarchiver insists on.
inline constexpr QLatin1String archiverName{"KeyedArchiver"};
inline constexpr int version = 100000;
inline constexpr QLatin1String nullObject{"$null"};
inline constexpr QLatin1String rootKey{"root"};
inline constexpr QLatin1String baseClassName{"Object"};

// Classes of the values foundation archives itself; allow them by these names when unarchiving.
inline constexpr QLatin1String arrayClass{"Array"};
inline constexpr QLatin1String dictionaryClass{"Dictionary"};
inline constexpr QLatin1String urlClass{"URL"};

// Fields of those classes.
inline constexpr QLatin1String keysField{"keys"};
inline constexpr QLatin1String objectsField{"objects"};
inline constexpr QLatin1String stringField{"string"};

} // namespace foundation::keyedArchive
