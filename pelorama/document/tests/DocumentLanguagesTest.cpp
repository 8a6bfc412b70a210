// Languages across documents: a document written before languages existed, and screenshots copied
// between documents of different languages.
#include "model/languages/DocumentLanguages.h"

#include "TestDocument.h"
#include "document/DocumentPackage.h"
#include "document/EditActions.h"
#include "document/PasteboardArchive.h"
#include "document/PasteboardSerialization.h"
#include "document/ScreenshotExporter.h"
#include "document/TranslationFiles.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Language.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "model/languages/Translations.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace pelorama;
using model::DocumentLanguages;
using model::LanguageEditing::addLanguage;
using model::LanguageEditing::renameLanguage;

namespace {

// Every file inside path with a digest of its bytes.
QStringList contentsOf(const QString& path)
{
    QStringList contents;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            contents.append(QDir(path).relativeFilePath(file.fileName()) + ' ' +
                            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
    }
    contents.sort();
    return contents;
}

void execute(const QString& path, const char* sql)
{
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &database), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(database);
}

model::TextRect* onlyCaption(store::ManagedObjectContext& context)
{
    const auto found = context.execute(model::TextRect::fetchRequest());
    return found && found->size() == 1 ? dynamic_cast<model::TextRect*>(found->front()) : nullptr;
}

// The caption of screenshot with its texts, "text | code: text, ...".
QString textsOf(model::Screenshot& screenshot)
{
    for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
        if (auto* caption = dynamic_cast<model::TextRect*>(mapping->drawable())) {
            const model::Translations translations = caption->translations();
            QStringList texts;
            for (auto entry = translations.begin(); entry != translations.end(); ++entry)
                texts.append(entry.key() + ": " + entry.value());
            return caption->text() + " | " + texts.join(", ");
        }
    }
    return {};
}

// A document whose base language is base, with the other languages.
void setLanguages(TestDocument& document, const QString& base, const QStringList& others)
{
    ASSERT_TRUE(renameLanguage(document.context(), model::LanguageCode::systemDefault(), base));
    for (const QString& code : others)
        ASSERT_TRUE(addLanguage(document.context(), code));
}

} // namespace

TEST(DocumentLanguagesTest, ADocumentWrittenBeforeLanguagesOpensUnchangedAndGainsThemWhenSaved)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath("Older.pelorama");
    {
        document::DocumentPackage package;
        package.initializeNewDocument(document::DocumentPackage::typeName());
        store::ManagedObjectContext& context = *package.managedObjectContext();
        model::Screenshot& screenshot = *model::Screenshot::insertInto(context);
        screenshot.setSize({200, 60});
        model::DrawableMapping::insert(*model::TextRect::insertInto(context, {{0, 0}, {200, 60}}, "Hello",
                                                                    graphics::TextAlignment::left,
                                                                    model::VerticalAlignment::top),
                                       screenshot, context);
        ASSERT_TRUE(package.saveAs(path));
    }
    // The store as it was before languages: no table of them, no column of translations.
    execute(QDir(path).filePath("StoreContent/persistentStore"),
            "ALTER TABLE TextRect DROP COLUMN translations; DROP TABLE Language");
    const QStringList older = contentsOf(path);
    QImage picture;
    {
        document::DocumentPackage package;
        ASSERT_TRUE(package.readFromPath(path, document::DocumentPackage::typeName()));
        store::ManagedObjectContext& context = *package.managedObjectContext();
        const QString base = model::LanguageCode::systemDefault();
        EXPECT_EQ(DocumentLanguages::of(context), (DocumentLanguages{{base}, base}));
        model::TextRect* caption = onlyCaption(context);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text(), "Hello");
        EXPECT_TRUE(caption->translations().isEmpty());
        EXPECT_EQ(caption->text("de-DE"), "Hello");
        picture = document::ScreenshotExporter::render(
            *dynamic_cast<model::Screenshot*>(context.execute(model::Screenshot::fetchRequest())->front()));
        EXPECT_FALSE(picture.isNull());
    }
    EXPECT_EQ(contentsOf(path), older);

    // Saved with a language, it keeps it.
    {
        document::DocumentPackage package;
        ASSERT_TRUE(package.readFromPath(path, document::DocumentPackage::typeName()));
        store::ManagedObjectContext& context = *package.managedObjectContext();
        ASSERT_TRUE(addLanguage(context, "de-DE"));
        ASSERT_TRUE(onlyCaption(context)->setText("Hallo", "de-DE"));
        ASSERT_TRUE(package.save());
    }
    document::DocumentPackage package;
    ASSERT_TRUE(package.readFromPath(path, document::DocumentPackage::typeName()));
    store::ManagedObjectContext& context = *package.managedObjectContext();
    EXPECT_TRUE(DocumentLanguages::of(context).contains("de-DE"));
    EXPECT_EQ(onlyCaption(context)->text("de-DE"), "Hallo");
    EXPECT_EQ(onlyCaption(context)->text(), "Hello");
}

// A store made elsewhere may list more languages than a document takes: it is refused when opened,
// saying how many, and left as it is. Rows that repeat a code are no languages of their own.
TEST(DocumentLanguagesTest, AStoreListingMoreLanguagesThanADocumentTakesIsRefusedWhenOpened)
{
    const QTemporaryDir folder;
    const auto packageWith = [&](const QString& name, int languages, int rows) {
        QString path = folder.filePath(name);
        document::DocumentPackage package;
        package.initializeNewDocument(document::DocumentPackage::typeName());
        for (int i = 0; i < rows; ++i) {
            model::Language* row = model::Language::insertInto(*package.managedObjectContext());
            const int code = i % languages;
            row->setCode(
                QStringLiteral("%1%2x").arg(QChar(u'a' + code / 26 % 26)).arg(QChar(u'a' + code % 26)));
            row->setOrder(i);
        }
        EXPECT_TRUE(package.saveAs(path));
        return path;
    };
    const int most = model::TranslationsText::maximumCount;
    const QString repeated = packageWith("Repeated.pelorama", most, most + 50);
    const auto opened = document::DocumentPackage::openForReading(repeated);
    ASSERT_TRUE(opened.hasValue());
    EXPECT_EQ(DocumentLanguages::of(*(*opened)->managedObjectContext()).codes.size(), most);

    const QString tooMany = packageWith("TooMany.pelorama", most + 1, most + 1);
    const QStringList contents = contentsOf(tooMany);
    const auto refused = document::DocumentPackage::openForReading(tooMany);
    ASSERT_FALSE(refused.hasValue());
    EXPECT_TRUE(refused.error().message().endsWith("It holds 201 languages; a document takes at most 200."))
        << refused.error().message().toStdString();
    EXPECT_EQ(contentsOf(tooMany), contents);
}

TEST(DocumentLanguagesTest, APastedCaptionKeepsItsTextsAndShowsThoseInTheLanguagesOfItsDocument)
{
    TestDocument source;
    setLanguages(source, "en-US", {"de-DE", "ja"});
    model::Screenshot& copied = source.addFilledScreenshot("Greeting", 0);
    auto* caption = dynamic_cast<model::TextRect*>(copied.drawableMappings().front()->drawable());
    ASSERT_NE(caption, nullptr);
    caption->setText("Hello");
    caption->setTranslations({{"de-DE", "Hallo"}, {"ja", "こんにちは"}});
    const QVariantMap dictionary = document::pasteboardDictionary(copied);

    const struct
    {
        const char* name;
        QString base;
        QStringList others;
        QString pasted;
    } targets[] = {
        {"the same languages", "en-US", {"de-DE", "ja"}, "Hello | de-DE: Hallo, ja: こんにちは"},
        {"another base", "de-DE", {"en-US", "fr"}, "Hallo | en-US: Hello, ja: こんにちは"},
        {"one language", "en-GB", {}, "Hello | de-DE: Hallo, en-US: Hello, ja: こんにちは"},
        {"one language the copy has", "ja", {}, "こんにちは | de-DE: Hallo, en-US: Hello"},
    };
    for (const auto& target : targets) {
        TestDocument document;
        setLanguages(document, target.base, target.others);
        document::EditActions actions(document.context(), document);
        ASSERT_EQ(actions.paste({*document::PasteboardArchive::archivedData(dictionary)}), std::nullopt)
            << target.name;
        ASSERT_EQ(document.arrangedScreenshots().size(), 1) << target.name;
        EXPECT_EQ(textsOf(*document.arrangedScreenshots().front()), target.pasted) << target.name;
        // Translators get files of the document's languages only, without the texts kept for others.
        const QTemporaryDir folder;
        EXPECT_TRUE(document::TranslationFiles::exportCatalogs(
                        document.context(), folder.path(), "Doc",
                        QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()))
                        .failures.isEmpty());
        QStringList expectedFiles;
        for (const QString& code : target.others)
            expectedFiles.append(code + ".po");
        expectedFiles.sort();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expectedFiles) << target.name;
        for (const QString& file : QDir(folder.path()).entryList(QDir::Files)) {
            QFile po(QDir(folder.path()).filePath(file));
            ASSERT_TRUE(po.open(QIODevice::ReadOnly));
            if (target.base != "ja" && !target.others.contains("ja")) {
                EXPECT_FALSE(QString::fromUtf8(po.readAll()).contains("こんにちは")) << target.name;
            }
        }
        // The texts kept for languages the document lacks show once it takes one.
        if (!target.others.isEmpty())
            continue;
        auto* pasted = dynamic_cast<model::TextRect*>(
            document.arrangedScreenshots().front()->drawableMappings().front()->drawable());
        ASSERT_NE(pasted, nullptr);
        ASSERT_TRUE(addLanguage(document.context(), "de-DE"));
        EXPECT_EQ(pasted->text("de-DE"), "Hallo") << target.name;
    }

    // Texts and languages that are not what a document holds are refused whole.
    const auto withCaption = [&](const QString& key, const QVariant& value, bool inExtras) {
        QVariantMap changed = dictionary;
        QVariantList mappings = changed.value("drawableMappings").toList();
        QVariantMap mapping = mappings.front().toMap();
        QVariantMap extras = mapping.value(document::pasteboardExtrasKey).toMap();
        QVariantMap drawable = extras.value("drawable").toMap();
        if (inExtras) {
            QVariantMap drawableExtras = drawable.value(document::pasteboardExtrasKey).toMap();
            drawableExtras.insert(key, value);
            drawable.insert(document::pasteboardExtrasKey, drawableExtras);
        } else {
            drawable.insert(key, value);
        }
        extras.insert("drawable", drawable);
        mapping.insert(document::pasteboardExtrasKey, extras);
        mappings.front() = mapping;
        changed.insert("drawableMappings", mappings);
        return *document::PasteboardArchive::archivedData(changed);
    };
    QStringList many;
    for (int i = 0; i <= model::TranslationsText::maximumCount; ++i)
        many.append(
            QStringLiteral(R"("%1%2x":"t")").arg(QChar(u'a' + i / 26 % 26)).arg(QChar(u'a' + i % 26)));
    // A fault among long texts is named, not the length of them all.
    const QString longText(model::TextRect::maximumTextLength, u'x');
    const struct
    {
        const char* name;
        QString key;
        QVariant value;
        bool inExtras;
        QString problem;
    } hostile[] = {
        {"not json", "translations", "{de-DE: Hallo", false, "The translations of a caption are not valid."},
        {"a list", "translations", R"(["de-DE","Hallo"])", false,
         "The translations of a caption are not valid."},
        {"a code in another spelling", "translations", R"({"de_de":"Hallo"})", false,
         "A caption has a text in “de_de”, which is not a language code."},
        {"a path for a code", "translations", R"({"../../x":"Hallo"})", false,
         "A caption has a text in “../../x”, which is not a language code."},
        {"a number for a text", "translations", R"({"de-DE":5})", false,
         "The translation of a caption into de-DE is not text."},
        {"a number among long texts", "translations",
         QStringLiteral(R"({"de-DE":5,"fr":"%1","ja":"%1"})").arg(longText), false,
         "The translation of a caption into de-DE is not text."},
        {"an empty text", "translations", R"({"de-DE":""})", false,
         "The translation of a caption into de-DE is empty."},
        {"an overlong text", "translations",
         QStringLiteral(R"({"de-DE":"%1"})").arg(QString(model::TextRect::maximumTextLength + 1, u'x')),
         false,
         "The translation of a caption into de-DE is 5001 characters long; a caption takes at most 5000."},
        {"too many languages", "translations", '{' + many.join(',') + '}', false,
         "A caption has texts in 201 languages; a caption takes at most 200."},
        {"bytes", "translations", QByteArray(R"({"de-DE":"Hallo"})"), false,
         "The translations of a caption are not text."},
        {"a path for the base", "language", "../en", true, "The language of a caption is not valid."},
        {"a number for the base", "language", 5, true, "The language of a caption is not valid."},
    };
    for (const auto& crafted : hostile) {
        TestDocument document;
        document::EditActions actions(document.context(), document);
        const std::optional<document::ActionAlert> alert =
            actions.paste({withCaption(crafted.key, crafted.value, crafted.inExtras)});
        ASSERT_TRUE(alert.has_value()) << crafted.name;
        EXPECT_TRUE(alert->informativeText.contains(crafted.problem))
            << crafted.name << ": " << alert->informativeText.toStdString();
        EXPECT_TRUE(document.arrangedScreenshots().isEmpty()) << crafted.name;
    }
}
