#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "foundation/PropertyListSerialization.h"

#include <QDateTime>
#include <QTimeZone>
#include <QUrl>
#include <gtest/gtest.h>
#include <random>

using foundation::KeyedArchiver;
using foundation::KeyedUnarchiver;
using foundation::PropertyListSerialization;

namespace {

// Mutates seed inputs the way damaged files and hostile senders do: flipped bits, overwritten and
// boundary-valued bytes (offsets, lengths, reference sizes), inserted and deleted runs, truncation.
class Mutator
{
public:
    explicit Mutator(std::uint32_t seed)
        : m_random(seed)
    {}

    QByteArray mutate(QByteArray data)
    {
        const int steps = 1 + pick(4);
        for (int i = 0; i < steps; ++i) {
            if (data.isEmpty()) {
                data.append(char(pick(256)));
                continue;
            }
            const qsizetype at = pick(data.size());
            switch (pick(8)) {
            case 0:
                data[at] = char(data[at] ^ (1 << pick(8)));
                break;
            case 1:
                data[at] = char(pick(256));
                break;
            case 2: {
                static const char boundaries[] = {0,    1,    2,          8,          0x0F,
                                                  0x10, 0x7F, char(0x80), char(0xFE), char(0xFF)};
                data[at] = boundaries[pick(sizeof boundaries)];
                break;
            }
            case 3:
                data.insert(at, QByteArray(1 + pick(8), char(pick(256))));
                break;
            case 4:
                data.remove(at, 1 + pick(8));
                break;
            case 5:
                data.truncate(at);
                break;
            case 6: { // aim at the trailer of a binary property list
                const qsizetype fromEnd = 1 + pick(std::min<qsizetype>(32, data.size()));
                data[data.size() - fromEnd] = char(pick(256));
                break;
            }
            default: { // repeat a run, which duplicates references and markers
                const qsizetype length = std::min<qsizetype>(1 + pick(16), data.size() - at);
                data.insert(pick(data.size()), data.mid(at, length));
                break;
            }
            }
        }
        return data;
    }

    int pick(qsizetype bound)
    {
        return int(std::uniform_int_distribution<qsizetype>(0, bound - 1)(m_random));
    }

private:
    std::mt19937 m_random;
};

QList<QByteArray> archiveSeeds()
{
    const QVariantMap screenshot{
        {"name", "Screenshot 1"},
        {"order", 0.5},
        {"size", "1242,2688"},
        {"backgroundType", 1},
        {"drawableMappings",
         QVariantList{QVariantMap{{"drawableType", "TextRect"},
                                  {"__extras__", QVariantMap{{"drawable", QVariantMap{{"text", "**Hi**"}}}}}},
                      QVariantMap{{"drawableType", "Image"}, {"data", QByteArray(40, 'x')}}}},
        {"flag", true},
    };
    const QVariantList uris{QUrl("x-store://A/Screenshot/p1"), QUrl("x-store://A/Screenshot/p2")};
    QList<QByteArray> seeds;
    for (const QVariant& value :
         {QVariant(screenshot), QVariant(uris), QVariant("text"), QVariant(QVariantList{})})
        seeds.append(*KeyedArchiver().archivedData(value));
    return seeds;
}

QList<QByteArray> propertyListSeeds()
{
    const QVariantMap metadata{
        {"FileVersion", 1},
        {"AppVersion", "1.2"},
        {"List", QVariantList{1.5, false, QByteArray("\x01\x02", 2), QVariantMap{{"k", "v"}}}},
        {"When", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), QTimeZone::utc())},
        {"Name", QString::fromUtf8("Grüße")},
    };
    return {
        *PropertyListSerialization::dataFromPropertyList(metadata),
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><array><integer>1</integer>"
        "<real>2.5</real><true/><date>2020-01-01T00:00:00Z</date><data>AAE=</data><string>x&amp;y</string>"
        "<dict/></array></dict></plist>"};
}

} // namespace

TEST(FoundationTest, DecodersAnswerErrorOrValueForMutatedInput)
{
    const QStringList allowed{"Array", "Dictionary", "URL"};
    const KeyedUnarchiver unarchiver(allowed);
    Mutator mutator(20240601);
    int archivesDecoded = 0;
    int listsDecoded = 0;
    const QList<QByteArray> archives = archiveSeeds();
    const QList<QByteArray> lists = propertyListSeeds();
    for (int i = 0; i < 10000; ++i) {
        const QByteArray& seed = archives[i % archives.size()];
        const QByteArray input = mutator.mutate(seed);
        archivesDecoded += unarchiver.unarchivedObject(input).hasValue() ? 1 : 0;
        // A property-list reader sees the same damaged archives too.
        listsDecoded += PropertyListSerialization::propertyListFromData(input).hasValue() ? 1 : 0;
    }
    for (int i = 0; i < 10000; ++i) {
        const QByteArray input = mutator.mutate(lists[i % lists.size()]);
        listsDecoded += PropertyListSerialization::propertyListFromData(input).hasValue() ? 1 : 0;
        archivesDecoded += unarchiver.unarchivedObject(input).hasValue() ? 1 : 0;
    }
    // Every prefix of every seed, the way an interrupted write leaves a file.
    for (const QByteArray& seed : archives + lists) {
        for (qsizetype length = 0; length < seed.size(); ++length) {
            EXPECT_FALSE(unarchiver.unarchivedObject(seed.left(length))) << length;
            listsDecoded +=
                PropertyListSerialization::propertyListFromData(seed.left(length)).hasValue() ? 1 : 0;
        }
    }
    // Some mutations leave a readable value; the point is that none of them crashes or throws.
    EXPECT_GT(archivesDecoded, 0);
    EXPECT_GT(listsDecoded, 0);
}
