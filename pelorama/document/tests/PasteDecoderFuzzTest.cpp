// The paste decoder takes whatever another program put on the clipboard. Whatever the bytes, a paste
// either inserts one whole screenshot or changes nothing and says why; it never crashes.
//
// The counts are bounded and the seed fixed so that the test is the same on every run; set
// PELORAMA_FUZZ_ROUNDS to a larger number for a longer run by hand.
#include "TestDocument.h"
#include "document/EditActions.h"
#include "document/PasteboardArchive.h"
#include "document/PasteboardSerialization.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/TextRect.h"

#include <QRandomGenerator>
#include <cstdlib>
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <random>

using namespace pelorama;

namespace {

int rounds(int inCi)
{
    const int requested = qEnvironmentVariableIntValue("PELORAMA_FUZZ_ROUNDS");
    return requested > 0 ? requested : inCi;
}

struct Counts
{
    int screenshots, mappings, images, deviceImages, textRects, assets;
    friend bool operator==(const Counts&, const Counts&) = default;
};

Counts countsOf(const TestDocument& document)
{
    return {document.count<model::Screenshot>(), document.count<model::DrawableMapping>(),
            document.count<model::Image>(),      document.count<model::DeviceImage>(),
            document.count<model::TextRect>(),   document.count<model::Asset>()};
}

// Pastes one item and checks that it went in whole or not at all.
class PasteProbe
{
public:
    PasteProbe()
    {
        m_document.addFilledScreenshot("Home", 0);
        m_document.selectScreenshot(*m_document.arrangedScreenshots().front());
    }

    void paste(const QByteArray& item)
    {
        const Counts before = countsOf(m_document);
        const std::optional<document::ActionAlert> alert = m_actions.paste({item});
        const Counts after = countsOf(m_document);
        if (alert) {
            ++m_refused;
            ASSERT_EQ(after, before);
            ASSERT_TRUE(alert->informativeText.startsWith("Could not paste objects. ("));
            return;
        }
        ++m_pasted;
        ASSERT_EQ(after.screenshots, before.screenshots + 1);
        model::Screenshot* pasted = m_document.selectedScreenshot();
        ASSERT_NE(pasted, nullptr);
        const QList<model::DrawableMapping*> mappings = pasted->drawableMappings();
        ASSERT_EQ(after.mappings, before.mappings + mappings.size());
        ASSERT_EQ(after.images + after.deviceImages + after.textRects,
                  before.images + before.deviceImages + before.textRects + mappings.size());
        for (model::DrawableMapping* mapping : mappings)
            ASSERT_NE(mapping->drawable(), nullptr);
        // Keep the document small: the pasted screenshot goes again.
        m_document.removeScreenshot(*pasted);
        m_document.selectScreenshot(*m_document.arrangedScreenshots().front());
    }

    int pasted() const { return m_pasted; }
    int refused() const { return m_refused; }

private:
    TestDocument m_document;
    document::EditActions m_actions{m_document.context(), m_document};
    int m_pasted = 0;
    int m_refused = 0;
};

QByteArray realCopy()
{
    TestDocument source;
    return *document::PasteboardArchive::archivedData(
        document::pasteboardDictionary(source.addFilledScreenshot("Copied", 0)));
}

// Hand-made archives: "$objects" after "$null" as given, root UID 1.
QByteArray handMade(const std::vector<plist_t>& objects)
{
    plist_t archive = plist_new_dict();
    plist_dict_set_item(archive, "$archiver", plist_new_string("KeyedArchiver"));
    plist_dict_set_item(archive, "$version", plist_new_uint(100000));
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(1));
    plist_dict_set_item(archive, "$top", top);
    plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_string("$null"));
    for (plist_t object : objects)
        plist_array_append_item(list, object);
    plist_dict_set_item(archive, "$objects", list);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(archive, &bytes, &length);
    QByteArray data(bytes, qsizetype(length));
    free(bytes);
    plist_free(archive);
    return data;
}

plist_t classEntry(const char* name)
{
    plist_t entry = plist_new_dict();
    plist_dict_set_item(entry, "$classname", plist_new_string(name));
    plist_t classes = plist_new_array();
    plist_array_append_item(classes, plist_new_string(name));
    plist_array_append_item(classes, plist_new_string("Object"));
    plist_dict_set_item(entry, "$classes", classes);
    return entry;
}

// A dictionary object of class UID classUid with the given key and value UIDs.
plist_t dictionaryObject(uint64_t classUid, const std::vector<std::pair<uint64_t, uint64_t>>& entries)
{
    plist_t object = plist_new_dict();
    plist_dict_set_item(object, "$class", plist_new_uid(classUid));
    plist_t keys = plist_new_array();
    plist_t values = plist_new_array();
    for (const auto& [key, value] : entries) {
        plist_array_append_item(keys, plist_new_uid(key));
        plist_array_append_item(values, plist_new_uid(value));
    }
    plist_dict_set_item(object, "keys", keys);
    plist_dict_set_item(object, "objects", values);
    return object;
}

plist_t arrayObject(uint64_t classUid, const std::vector<uint64_t>& members)
{
    plist_t object = plist_new_dict();
    plist_dict_set_item(object, "$class", plist_new_uid(classUid));
    plist_t list = plist_new_array();
    for (uint64_t member : members)
        plist_array_append_item(list, plist_new_uid(member));
    plist_dict_set_item(object, "objects", list);
    return object;
}

// Replaces one value somewhere in the tree with a value of a random kind.
QVariant mutateTree(const QVariant& value, std::mt19937& random, int& budget)
{
    static const QVariantList replacements{QVariant(),
                                           QVariant(-1),
                                           QVariant(qint64(1) << 40),
                                           QVariant(1e308),
                                           QVariant("text"),
                                           QVariant(QByteArray(3, '\0')),
                                           QVariant(QVariantList{1, "x"}),
                                           QVariant(QVariantMap{{"k", 1}}),
                                           QVariant(std::numeric_limits<double>::infinity()),
                                           QVariant("1,2,3,4"),
                                           QVariant("Gradient"),
                                           QVariant(true)};
    if (budget > 0 && std::uniform_int_distribution<int>(0, 5)(random) == 0) {
        --budget;
        return replacements[std::uniform_int_distribution<qsizetype>(0, replacements.size() - 1)(random)];
    }
    if (value.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = value.toMap();
        for (QVariant& member : map)
            member = mutateTree(member, random, budget);
        return map;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant& member : list)
            member = mutateTree(member, random, budget);
        return list;
    }
    return value;
}

} // namespace

TEST(PasteDecoderFuzzTest, RandomBytesAreRefused)
{
    std::mt19937 random(20240522);
    PasteProbe probe;
    for (int round = 0; round < rounds(300); ++round) {
        QByteArray bytes(std::uniform_int_distribution<int>(0, 600)(random), '\0');
        for (char& byte : bytes)
            byte = char(random());
        if (round % 2 == 0)
            bytes.prepend("bplist00");
        ASSERT_NO_FATAL_FAILURE(probe.paste(bytes));
    }
    EXPECT_EQ(probe.pasted(), 0);
}

TEST(PasteDecoderFuzzTest, MutatedCopiesPasteWholeOrNotAtAll)
{
    std::mt19937 random(7);
    const QByteArray original = realCopy();
    PasteProbe probe;
    ASSERT_NO_FATAL_FAILURE(probe.paste(original));
    for (int round = 0; round < rounds(600); ++round) {
        QByteArray mutated = original;
        switch (round % 4) {
        case 0: // a few bytes changed
        case 1:
            for (int flips = std::uniform_int_distribution<int>(1, 6)(random); flips > 0; --flips)
                mutated[std::uniform_int_distribution<qsizetype>(0, mutated.size() - 1)(random)] =
                    char(random());
            break;
        case 2: // cut short
            mutated.truncate(std::uniform_int_distribution<qsizetype>(0, mutated.size() - 1)(random));
            break;
        case 3: { // a stretch copied over another place
            const qsizetype from = std::uniform_int_distribution<qsizetype>(0, mutated.size() - 9)(random);
            const qsizetype to = std::uniform_int_distribution<qsizetype>(0, mutated.size() - 9)(random);
            mutated.replace(to, 8, original.mid(from, 8));
            break;
        }
        }
        ASSERT_NO_FATAL_FAILURE(probe.paste(mutated));
    }
    EXPECT_GT(probe.refused(), 0);
}

TEST(PasteDecoderFuzzTest, WellFormedArchivesOfWrongValuesPasteWholeOrNotAtAll)
{
    std::mt19937 random(11);
    TestDocument source;
    const QVariantMap original = document::pasteboardDictionary(source.addFilledScreenshot("Copied", 0));
    PasteProbe probe;
    for (int round = 0; round < rounds(300); ++round) {
        int budget = std::uniform_int_distribution<int>(1, 3)(random);
        const QVariantMap mutated = mutateTree(original, random, budget).toMap();
        const auto data = document::PasteboardArchive::archivedData(mutated);
        ASSERT_TRUE(data.hasValue());
        ASSERT_NO_FATAL_FAILURE(probe.paste(*data));
    }
    EXPECT_GT(probe.pasted(), 0);
    EXPECT_GT(probe.refused(), 0);
}

TEST(PasteDecoderFuzzTest, HostileArchivesAreRefused)
{
    PasteProbe probe;
    // A dictionary that holds itself.
    ASSERT_NO_FATAL_FAILURE(probe.paste(handMade(
        {dictionaryObject(2, {{3, 1}}), classEntry("Dictionary"), plist_new_string("drawableMappings")})));
    // An array that holds itself, under a screenshot's mappings.
    ASSERT_NO_FATAL_FAILURE(probe.paste(
        handMade({dictionaryObject(2, {{3, 4}}), classEntry("Dictionary"),
                  plist_new_string("drawableMappings"), arrayObject(5, {4}), classEntry("Array")})));
    // Classes nobody allowed, and a colour where the screenshot should be.
    ASSERT_NO_FATAL_FAILURE(probe.paste(handMade({dictionaryObject(2, {}), classEntry("Evil")})));
    plist_t colour = plist_new_dict();
    plist_dict_set_item(colour, "$class", plist_new_uid(2));
    for (const char* component : {"red", "green", "blue", "alpha"})
        plist_dict_set_item(colour, component, plist_new_real(0.5));
    plist_dict_set_item(colour, "space", plist_new_uint(0));
    ASSERT_NO_FATAL_FAILURE(probe.paste(handMade({colour, classEntry("Color")})));
    // A huge count: one small array referred to from a million places.
    std::vector<uint64_t> many(4000, 3);
    std::vector<uint64_t> wide(4000, 4);
    ASSERT_NO_FATAL_FAILURE(probe.paste(
        handMade({arrayObject(2, wide), classEntry("Array"), plist_new_string("x"), arrayObject(2, many)})));
    // Nested far deeper than any copy.
    std::vector<plist_t> nested;
    for (uint64_t level = 1; level <= 100; ++level)
        nested.push_back(arrayObject(102, {level + 1}));
    nested.push_back(plist_new_string("bottom"));
    nested.push_back(classEntry("Array"));
    ASSERT_NO_FATAL_FAILURE(probe.paste(handMade(nested)));
    EXPECT_EQ(probe.pasted(), 0);
    EXPECT_EQ(probe.refused(), 6);
}
