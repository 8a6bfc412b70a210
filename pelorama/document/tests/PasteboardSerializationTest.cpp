#include "document/PasteboardSerialization.h"

#include "TestDocument.h"
#include "document/PasteboardArchive.h"
#include "document/ScreenshotPasteboard.h"
#include "foundation/BundleInfo.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Drawable.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/TextRect.h"
#include "store/PersistentStoreCoordinator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <sqlite3.h>

using namespace pelorama;
using document::checkedPasteboardDictionary;
using document::insertFromPasteboardDictionary;
using document::pasteboardDictionary;

namespace {

QVariantMap throughArchive(const QVariantMap& dictionary)
{
    const auto data = document::PasteboardArchive::archivedData(dictionary);
    EXPECT_TRUE(data.hasValue()) << (data ? "" : data.error().toStdString());
    const auto checked = document::ScreenshotPasteboard::screenshotDictionary(*data);
    EXPECT_TRUE(checked.hasValue()) << (checked ? "" : checked.error().toStdString());
    return checked ? *checked : QVariantMap();
}

model::Screenshot& paste(const QVariantMap& checked, store::ManagedObjectContext& context)
{
    auto& screenshot =
        dynamic_cast<model::Screenshot&>(insertFromPasteboardDictionary("Screenshot", checked, context));
    context.processPendingChanges();
    return screenshot;
}

QString identifierOf(model::Drawable* drawable)
{
    return dynamic_cast<store::ManagedObject*>(drawable)->valueForKey("uniqueIdentifier").toString();
}

QString problemWith(const QVariantMap& dictionary)
{
    const auto checked = checkedPasteboardDictionary("Screenshot", dictionary);
    return checked ? QString() : checked.error();
}

// A screenshot dictionary with one drawable mapping, and the drawable inside it, changed by change.
QVariantMap withMappingChanged(QVariantMap dictionary, int index,
                               const std::function<void(QVariantMap& mapping, QVariantMap& drawable)>& change)
{
    QVariantList mappings = dictionary.value("drawableMappings").toList();
    QVariantMap mapping = mappings[index].toMap();
    QVariantMap extras = mapping.value("__extras__").toMap();
    QVariantMap drawable = extras.value("drawable").toMap();
    change(mapping, drawable);
    extras.insert("drawable", drawable);
    mapping.insert("__extras__", extras);
    mappings[index] = mapping;
    dictionary.insert("drawableMappings", mappings);
    return dictionary;
}

} // namespace

TEST(PasteboardSerializationTest,
     AScreenshotTravelsToAnotherDocumentWithItsDrawablesInOrderUnderNewIdentifiers)
{
    TestDocument source;
    model::Screenshot& original = source.addFilledScreenshot("Home", 0);
    original.setBackgroundType(model::BackgroundType::solid);
    TestDocument target;

    model::Screenshot& copy = paste(throughArchive(pasteboardDictionary(original)), target.context());

    EXPECT_EQ(copy.name(), "Home");
    EXPECT_EQ(copy.backgroundType(), model::BackgroundType::solid);
    EXPECT_EQ(copy.size(), original.size());
    EXPECT_EQ(copy.gradientEndColor(), original.gradientEndColor());
    const QList<model::DrawableMapping*> originals = original.drawableMappings();
    const QList<model::DrawableMapping*> copies = copy.drawableMappings();
    ASSERT_EQ(copies.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(copies[i]->drawableType(), originals[i]->drawableType());
        ASSERT_NE(copies[i]->drawable(), nullptr);
        EXPECT_EQ(copies[i]->identifier(), identifierOf(copies[i]->drawable()));
        EXPECT_NE(copies[i]->identifier(), originals[i]->identifier());
    }
    auto* caption = dynamic_cast<model::TextRect*>(copies[0]->drawable());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "**Hello**");
    EXPECT_EQ(caption->font(), dynamic_cast<model::TextRect*>(originals[0]->drawable())->font());
    auto* image = dynamic_cast<model::Image*>(copies[1]->drawable());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->fillMode(), model::FillMode::aspectFit);
    ASSERT_TRUE(image->image().has_value());
    EXPECT_EQ(image->image()->size(), (graphics::Size{3, 2}));
    EXPECT_EQ(dynamic_cast<model::DeviceImage*>(copies[2]->drawable())->scaleFactor(), 0.25);
    // The copy is complete: it saves and the identifiers it names resolve after the save.
    EXPECT_TRUE(target.context().save().hasValue());
}

TEST(PasteboardSerializationTest, SharedAssetsArriveOnceWithTheirIdentifierBytesAndHash)
{
    TestDocument source;
    model::Screenshot& original = source.addFilledScreenshot("Home", 0);
    const auto* sourceAsset =
        dynamic_cast<model::Asset*>((*source.context().execute(model::Asset::fetchRequest())).front());
    const QVariantMap checked = throughArchive(pasteboardDictionary(original));
    TestDocument target;

    paste(checked, target.context());
    paste(checked, target.context());

    ASSERT_EQ(target.count<model::Asset>(), 1);
    const auto* pastedAsset =
        dynamic_cast<model::Asset*>((*target.context().execute(model::Asset::fetchRequest())).front());
    EXPECT_EQ(pastedAsset->uniqueIdentifier(), sourceAsset->uniqueIdentifier());
    EXPECT_EQ(pastedAsset->data(), sourceAsset->data());
    EXPECT_EQ(pastedAsset->sha1Hash(), sourceAsset->sha1Hash());
    EXPECT_EQ(target.count<model::Screenshot>(), 2);
    EXPECT_EQ(target.count<model::Image>(), 2);
}

TEST(PasteboardSerializationTest, DictionariesCarryWhatTravelsAndLeaveBehindWhatLinksBack)
{
    TestDocument document;
    model::Screenshot& screenshot = document.addFilledScreenshot("Home", 0);
    const QVariantMap dictionary = pasteboardDictionary(screenshot);
    EXPECT_FALSE(dictionary.contains("uniqueIdentifier"));
    const QVariantList mappings = dictionary.value("drawableMappings").toList();
    ASSERT_EQ(mappings.size(), 3);
    const QVariantMap mapping = mappings[1].toMap();
    EXPECT_EQ(mapping.value("drawableType"), "Image");
    EXPECT_FALSE(mapping.contains("identifier"));
    EXPECT_FALSE(mapping.contains("screenshot"));
    const QVariantMap image = mapping.value("__extras__").toMap().value("drawable").toMap();
    EXPECT_FALSE(image.contains("uniqueIdentifier"));
    EXPECT_TRUE(image.contains("assetIdentifier"));
    const QVariantMap asset = image.value("__extras__").toMap().value("asset").toMap();
    EXPECT_EQ(asset.value("uniqueIdentifier"), image.value("assetIdentifier"));
    EXPECT_EQ(asset.value("data").toByteArray(), smallPng());

    // No drawables: an empty list, and a paste with no mappings.
    model::Screenshot& empty = document.addScreenshot("Empty", 1);
    const QVariantMap emptyDictionary = pasteboardDictionary(empty);
    EXPECT_EQ(emptyDictionary.value("drawableMappings"), QVariantList());
    EXPECT_TRUE(paste(throughArchive(emptyDictionary), document.context()).drawableMappings().isEmpty());
}

TEST(PasteboardSerializationTest, AnAttributeThatIsNilArrivesAsTheDefaultOfANewObject)
{
    TestDocument document;
    model::Screenshot& screenshot = document.addScreenshot("Plain", 0);
    screenshot.setSolidBackgroundColor(std::nullopt);
    const QVariantMap dictionary = pasteboardDictionary(screenshot);
    EXPECT_FALSE(dictionary.contains("solidBackgroundColor"));

    model::Screenshot& copy = paste(throughArchive(dictionary), document.context());
    TestDocument fresh;
    EXPECT_EQ(copy.solidBackgroundColor(),
              model::Screenshot::insertInto(fresh.context())->solidBackgroundColor());
    EXPECT_TRUE(copy.primitiveValue("solidBackgroundColor").isValid());
}

TEST(PasteboardSerializationTest, APictureWithoutAnAssetTravelsAsItIs)
{
    TestDocument document;
    model::Screenshot& screenshot = document.addScreenshot("Pictured", 0);
    model::Image& image = *model::Image::insertInto(document.context(), graphics::Image::fromData(smallPng()),
                                                    {{0, 0}, {3, 2}}, model::FillMode::stretch);
    model::DrawableMapping::insert(image, screenshot, document.context());

    model::Screenshot& copy = paste(throughArchive(pasteboardDictionary(screenshot)), document.context());

    auto* pasted = dynamic_cast<model::Image*>(copy.drawableMappings().front()->drawable());
    ASSERT_TRUE(pasted && pasted->image());
    EXPECT_EQ(pasted->image()->pngData(), image.image()->pngData());
    EXPECT_EQ(document.count<model::Asset>(), 0);
}

TEST(PasteboardSerializationTest, PasteboardTypeIsQualifiedByTheBundleIdentifier)
{
    {
        foundation::BundleInfo::Override info({{"CFBundleIdentifier", "org.example.Pelorama"}});
        EXPECT_EQ(document::ScreenshotPasteboard::pasteboardType(), "org.example.Pelorama.Screenshot");
    }
    foundation::BundleInfo::Override none({});
    EXPECT_EQ(document::ScreenshotPasteboard::pasteboardType(), "com.quillory.Screenshot");
}

TEST(PasteboardSerializationTest, ValuesOfTheWrongKindOrOutOfRangeRefuseTheWholeScreenshot)
{
    TestDocument document;
    const QVariantMap good = pasteboardDictionary(document.addFilledScreenshot("Home", 0));
    ASSERT_EQ(problemWith(good), QString());

    const auto with = [&](const QString& key, const QVariant& value) {
        QVariantMap changed = good;
        changed.insert(key, value);
        return problemWith(changed);
    };
    EXPECT_EQ(with("name", 12), "The name of a Screenshot is not valid.");
    EXPECT_FALSE(with("order", "first").isEmpty());
    EXPECT_FALSE(with("order", std::numeric_limits<double>::quiet_NaN()).isEmpty());
    EXPECT_FALSE(with("backgroundType", 2).isEmpty());
    EXPECT_FALSE(with("backgroundType", -1).isEmpty());
    EXPECT_FALSE(with("size", "10,nan").isEmpty());
    EXPECT_FALSE(with("size", "-1,5").isEmpty());
    EXPECT_FALSE(with("gradientStartColor", QVariant::fromValue(graphics::Font())).isEmpty());
    EXPECT_FALSE(with("drawableMappings", "none").isEmpty());
    EXPECT_FALSE(with("drawableMappings", QVariantList{1, 2}).isEmpty());
    EXPECT_FALSE(with("__extras__", QVariantList()).isEmpty());
    // An integer stands for a real; keys the entity lacks are ignored.
    EXPECT_EQ(with("order", 3), QString());
    EXPECT_EQ(with("favourite", true), QString());

    // Deeper down: a caption's alignment, an image's rectangle, an asset's bytes.
    const QVariantMap deep = withMappingChanged(
        good, 0, [](QVariantMap&, QVariantMap& drawable) { drawable.insert("verticalAlignment", 7); });
    EXPECT_EQ(problemWith(deep),
              "A Screenshot is not valid: The verticalAlignment of a TextRect is not valid.");
}

// A caption's texts follow the rule of every road into a document, a translation file's too.
TEST(PasteboardSerializationTest, CaptionTextsThatATranslationFileCouldNotBringRefuseThePaste)
{
    TestDocument document;
    const QVariantMap good = pasteboardDictionary(document.addFilledScreenshot("Home", 0));
    const auto withCaption = [&](const QString& text, const QVariant& translations) {
        return problemWith(withMappingChanged(good, 0, [&](QVariantMap&, QVariantMap& drawable) {
            drawable.insert("text", text);
            if (translations.isValid())
                drawable.insert("translations", translations);
            else
                drawable.remove("translations");
        }));
    };
    EXPECT_EQ(withCaption("Visit //example", R"({"de":"Besuche //example"})"), QString());
    EXPECT_EQ(withCaption("Line\tone\nLine two 😀", QVariant()), QString());
    const struct
    {
        QString text;
        QVariant translations;
        const char* problem;
    } refused[] = {
        {QString("Cut") + QChar(0),
         {},
         "The text of a caption is not valid: it holds the control character U+0000."},
        {QString(QChar(0xD800)), {}, "half of a character"},
        {"**Fast**", R"({"de":"**Schnell"})",
         "The de text of a caption is not valid: its markup does not parse."},
        {"Fast", R"({"de":"Schnell\u001b"})", "U+001B"},
    };
    for (const auto& caption : refused) {
        const QString problem = withCaption(caption.text, caption.translations);
        EXPECT_TRUE(problem.contains(caption.problem)) << problem.toStdString();
    }
}

// Geometry arrives as text. What cannot be drawn (no number, or edges beyond the largest number) is
// refused; what is accepted is stored so that it reads back the same after the document is saved.
TEST(PasteboardSerializationTest, GeometryIsTakenOnlyWhereItCanBeDrawnAndStoredAsItIs)
{
    TestDocument document;
    const QVariantMap good = pasteboardDictionary(document.addFilledScreenshot("Home", 0));
    const auto withImageRect = [&](const QString& rect) {
        return withMappingChanged(
            good, 1, [&](QVariantMap&, QVariantMap& drawable) { drawable.insert("rect", rect); });
    };
    for (const char* refused : {"inf,0,10,10", "0,nan,10,10", "1.7976931348623157e308,0,1e308,10",
                                "0,-1.7976931348623157e308,10,-1e308", "0,0,1e309,10"})
        EXPECT_FALSE(problemWith(withImageRect(refused)).isEmpty()) << refused;

    const double largest = std::numeric_limits<double>::max();
    const QVariantMap accepted = withImageRect("1.7976931348623157e308,-1.7976931348623157e308,0,1e-300");
    ASSERT_EQ(problemWith(accepted), QString());
    TestDocument target;
    model::Screenshot& pasted = paste(*checkedPasteboardDictionary("Screenshot", accepted), target.context());
    auto* image = dynamic_cast<model::Image*>(pasted.drawableMappings()[1]->drawable());
    ASSERT_NE(image, nullptr);
    const graphics::Rect rect = image->rect();
    EXPECT_EQ(rect, graphics::Rect(largest, -largest, 0, 1e-300));
    // Storing the value again (as a move or a save does) keeps it readable.
    image->setRect(rect);
    EXPECT_EQ(image->rect(), rect);
}

TEST(PasteboardSerializationTest, MappingsThatWouldMapNothingAreLeftOut)
{
    TestDocument document;
    QVariantMap dictionary = pasteboardDictionary(document.addFilledScreenshot("Home", 0));
    QVariantList mappings = dictionary.value("drawableMappings").toList();
    QVariantMap unknown = mappings[0].toMap();
    unknown.insert("drawableType", "Gradient");
    QVariantMap bare = mappings[1].toMap();
    bare.remove("__extras__");
    dictionary.insert("drawableMappings", QVariantList{unknown, bare, mappings[2]});

    const auto checked = checkedPasteboardDictionary("Screenshot", dictionary);
    ASSERT_TRUE(checked.hasValue());
    model::Screenshot& copy = paste(*checked, document.context());
    ASSERT_EQ(copy.drawableMappings().size(), 1);
    EXPECT_EQ(copy.drawableMappings().front()->drawableType(), "DeviceImage");
    EXPECT_EQ(document.count<model::DrawableMapping>(), 4);
}

TEST(PasteboardSerializationTest, IdentifiersThatStayBehindAreNotTakenFromAPaste)
{
    TestDocument document;
    model::Screenshot& original = document.addFilledScreenshot("Home", 0);
    const QString captionIdentifier = original.drawableMappings().front()->identifier();
    const QVariantMap dictionary = withMappingChanged(
        pasteboardDictionary(original), 0, [&](QVariantMap& caption, QVariantMap& drawable) {
            caption.insert("identifier", captionIdentifier);
            drawable.insert("uniqueIdentifier", captionIdentifier);
        });

    model::Screenshot& copy =
        paste(*checkedPasteboardDictionary("Screenshot", dictionary), document.context());
    EXPECT_NE(copy.drawableMappings().front()->identifier(), captionIdentifier);
    EXPECT_NE(identifierOf(copy.drawableMappings().front()->drawable()), captionIdentifier);
}

TEST(PasteboardSerializationTest, AnAssetThatCannotBeFetchedIsReportedOnALineOfItsOwnAndLeftOut)
{
    const QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("persistentStore");
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
    ASSERT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::sqlite, path).hasValue());
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
    context.setPersistentStoreCoordinator(coordinator);
    model::Image& image = *model::Image::insertInto(context);
    image.setValueForKey(QStringLiteral("0F1E2D3C"), "assetIdentifier");
    // The store loses its asset table behind the document's back, so fetching an asset fails.
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &database), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(database, "DROP TABLE Asset", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);

    testing::internal::CaptureStdout();
    const QVariantMap dictionary = pasteboardDictionary(image);
    const QString output = QString::fromStdString(testing::internal::GetCapturedStdout());

    EXPECT_FALSE(dictionary.contains(QString(document::pasteboardExtrasKey)));
    EXPECT_EQ(dictionary.value("assetIdentifier"), "0F1E2D3C");
    const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << output.toStdString();
    EXPECT_TRUE(lines[0].startsWith("Error fetching asset: ")) << output.toStdString();
    EXPECT_GT(lines[0].size(), QString("Error fetching asset: ").size());
}
