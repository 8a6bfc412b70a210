// Captions out to translators as PO files and back.
#include "document/TranslationFiles.h"

#include "TestDocument.h"
#include "document/PoFile.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageEditing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;
using document::PoFile;
namespace TranslationFiles = document::TranslationFiles;

namespace {

class TranslationFilesTest : public ::testing::Test
{
protected:
    model::TextRect& addCaption(model::Screenshot& screenshot, const QString& text)
    {
        model::TextRect& caption =
            *model::TextRect::insertInto(m_document.context(), {{0, 0}, {60, 20}}, text,
                                         graphics::TextAlignment::left, model::VerticalAlignment::top);
        model::DrawableMapping::insert(caption, screenshot, m_document.context());
        m_document.context().processPendingChanges();
        return caption;
    }

    QString path(const QString& name) const { return m_folder.filePath(name); }

    QByteArray contents(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString save(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    }

    PoFile exported(const QString& name) const { return PoFile::read(contents(name)).value(); }

    // Every caption's translations, "code: text" in caption order.
    QStringList translations() const
    {
        QStringList texts;
        for (const model::TextRect* caption : m_captions) {
            const model::Translations translations = caption->translations();
            for (auto entry = translations.begin(); entry != translations.end(); ++entry)
                texts.append(entry.key() + ": " + entry.value());
        }
        return texts;
    }

    TestDocument m_document;
    QList<model::TextRect*> m_captions;
    const QDateTime m_revised{QDate(2026, 12, 10), QTime(6, 40), QTimeZone::utc()};
    QTemporaryDir m_directory;
    QDir m_folder{m_directory.path()};
};

} // namespace

TEST_F(TranslationFilesTest, ExportedFilesFilledInComeBackAsTheSameFilesAndAsOneStep)
{
    model::Screenshot& home = m_document.addScreenshot("Home", 1);
    model::Screenshot& intro = m_document.addScreenshot("Intro", 0);
    m_captions = {&addCaption(home, "Your **photos**, everywhere"), &addCaption(intro, "Welcome"),
                  &addCaption(intro, "")};
    ASSERT_TRUE(model::LanguageEditing::addLanguage(m_document.context(), "de-DE"));
    ASSERT_TRUE(model::LanguageEditing::addLanguage(m_document.context(), "ja"));
    ASSERT_TRUE(m_captions[1]->setText("Willkommen", "de-DE"));
    m_document.context().processPendingChanges();

    ASSERT_TRUE(TranslationFiles::exportCatalogs(m_document.context(), m_folder.path(), "Shots", m_revised)
                    .failures.isEmpty());
    EXPECT_EQ(m_folder.entryList(QDir::Files), QStringList({"de-DE.po", "ja.po"}));
    PoFile german = exported("de-DE.po");
    EXPECT_EQ(german.language, "de-DE");
    EXPECT_EQ(german.project, "Shots");
    EXPECT_EQ(german.revisionDate, "2026-12-10 06:40+0000");
    const QString welcome = "Intro/" + m_captions[1]->uniqueIdentifier();
    const QString photos = "Home/" + m_captions[0]->uniqueIdentifier();
    // Screenshots in their order, captions without text left out.
    EXPECT_EQ(german.entries,
              QList<PoFile::Entry>({{welcome, "Welcome", "Willkommen", "Intro", false},
                                    {photos, "Your **photos**, everywhere", "", "Home", false}}));

    german.entries[0].translation = "Hallo";
    german.entries[1].translation = "Deine **Fotos**, überall";
    PoFile japanese = exported("ja.po");
    japanese.entries[1].translation = "写真をどこでも";
    const QByteArray filledGerman = german.write().value();
    const QByteArray filledJapanese = japanese.write().value();
    QUndoStack undo;
    m_document.context().setUndoStack(&undo);
    const auto imported = TranslationFiles::importCatalogs(
        m_document.context(), {save("de-DE.po", filledGerman), save("ja.po", filledJapanese)});
    ASSERT_TRUE(imported.hasValue()) << imported.error().text().toStdString();
    EXPECT_EQ(imported->translatedCount, 3);
    EXPECT_FALSE(TranslationFiles::importAlert(*imported));
    const QStringList translated = {"de-DE: Deine **Fotos**, überall", "ja: 写真をどこでも", "de-DE: Hallo"};
    EXPECT_EQ(translations(), translated);

    ASSERT_TRUE(TranslationFiles::exportCatalogs(m_document.context(), m_folder.path(), "Shots", m_revised)
                    .failures.isEmpty());
    EXPECT_EQ(contents("de-DE.po"), filledGerman);
    EXPECT_EQ(contents("ja.po"), filledJapanese);

    m_document.context().processPendingChanges();
    EXPECT_EQ(undo.count(), 1);
    undo.undo();
    EXPECT_EQ(translations(), QStringList({"de-DE: Willkommen"}));
    m_document.context().setUndoStack(nullptr);
}

TEST_F(TranslationFilesTest, WhatAnImportCannotTakeIsNamedAndABrokenFileChangesNothing)
{
    model::Screenshot& home = m_document.addScreenshot("Home", 0);
    m_captions = {&addCaption(home, "**Fast** and //light//"),
                  &addCaption(home, "Visit https://example.com")};
    const QString fast = "Home/" + m_captions[0]->uniqueIdentifier();
    const QString visit = "Home/" + m_captions[1]->uniqueIdentifier();
    const auto entry = [](const QString& context, const QString& translation, bool fuzzy = false) {
        return PoFile::Entry{context, "Source of " + translation, translation, {}, fuzzy};
    };
    // Named by its file alone, a language the document lacks.
    const QString french = save(
        "fr.po", PoFile{{},
                        {},
                        {},
                        {entry(fast, "**Rapide** et //léger"), entry(visit, "Visitez https://example.com"),
                         entry("Old Home/gone", "Parti"), entry(fast, "Vite", true),
                         entry("", "Sans contexte"), entry("", "Sans contexte 2"), entry("Settings/none", ""),
                         entry(visit, QString("Visite") + QChar(0x7))}}
                         .write()
                         .value() +
                     // Plural forms, which no file of ours holds.
                     "\nmsgctxt \"" + visit.toUtf8() +
                     "\"\nmsgid \"Visit\"\nmsgid_plural \"Visits\"\nmsgstr[0] \"Visite\"\n"
                     "msgstr[1] \"Visites\"\n");
    // A file of which nothing is taken adds no language.
    const QString spanish =
        save("es.po", PoFile{"es", {}, {}, {entry("Old Home/gone", "Ido")}}.write().value());
    const auto imported = TranslationFiles::importCatalogs(m_document.context(), {french, spanish});
    ASSERT_TRUE(imported.hasValue()) << imported.error().text().toStdString();
    EXPECT_EQ(imported->addedLanguages, QStringList{"fr"});
    EXPECT_TRUE(model::DocumentLanguages::of(m_document.context()).contains("fr"));
    EXPECT_FALSE(model::DocumentLanguages::of(m_document.context()).contains("es"));
    EXPECT_EQ(translations(), QStringList{"fr: Visitez https://example.com"});
    // Named as the user knows them: screenshot and caption text, the document's or the entry's.
    EXPECT_EQ(imported->missingCaptions,
              QStringList({"Old Home: “Source of Parti”", "Old Home: “Source of Ido”"}));
    EXPECT_EQ(imported->fuzzyEntries, QStringList{"Home: “Fast and light”"});
    EXPECT_EQ(imported->pluralEntries, QStringList{"Home: “Visit https://example.com”"});
    EXPECT_EQ(imported->entriesWithoutContext, 2);
    EXPECT_EQ(imported->refused,
              QList<TranslationFiles::SkippedEntry>(
                  {{"Home: “Fast and light”", "its markup does not parse"},
                   {"Home: “Visit https://example.com”", "it holds the control character U+0007"}}));
    EXPECT_EQ(imported->filesWithoutEffect,
              QList<TranslationFiles::FileWithoutEffect>({{"es.po", "es", true}}));
    const auto alert = TranslationFiles::importAlert(*imported);
    ASSERT_TRUE(alert);
    for (const QString& named :
         {QString("No entry of “es.po” was taken, so its language es was not added."),
          QString("2 entries without a context, which cannot be matched to a caption."),
          QString("Old Home: “Source of Parti”"),
          QString("Home: “Fast and light”: its markup does not parse"), QString("plural forms")})
        EXPECT_TRUE(alert->informativeText.contains(named)) << alert->informativeText.toStdString();

    // One file that cannot be read keeps every other from being read too.
    const QString good = save("de.po", PoFile{"de", {}, {}, {entry(visit, "Besuchen Sie")}}.write().value());
    QFile huge(path("huge.po"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
    huge.close();
    const struct
    {
        QString path;
        QString error;
    } broken[] = {
        {save("broken.po", "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"c\"\nmsgstr \"d\n"),
         "“broken.po”, line 5: "},
        {save("latin.po", "msgid \"a\"\nmsgstr \"\xE9t\xE9\"\n"),
         "“latin.po”, line 2: The file is not UTF-8 text."},
        {huge.fileName(), "“huge.po”: The file is larger than 4 MB"},
        {path("missing.po"), "“missing.po”: "},
        {save("English.po", ""), "“English.po”: The file names no language"},
        {save("klingon.po", PoFile{"tlh?", {}, {}, {}}.write().value()), "“klingon.po”: Its language “tlh?”"},
        {save(model::DocumentLanguages::of(m_document.context()).base + ".po", ""),
         "the document’s base language"},
    };
    for (const auto& file : broken) {
        SCOPED_TRACE(file.path.toStdString());
        const auto failed = TranslationFiles::importCatalogs(m_document.context(), {good, file.path});
        ASSERT_FALSE(failed.hasValue());
        EXPECT_TRUE(failed.error().text().contains(file.error)) << failed.error().text().toStdString();
        EXPECT_EQ(translations(), QStringList{"fr: Visitez https://example.com"});
        EXPECT_FALSE(model::DocumentLanguages::of(m_document.context()).contains("de"));
    }
}

// What a caption may not hold does not go out to be refused on its way back.
TEST_F(TranslationFilesTest, TextsThatCannotComeBackAreLeftOutOfTheFilesAndNamed)
{
    model::Screenshot& home = m_document.addScreenshot("Home", 0);
    m_captions = {&addCaption(home, QString("Cut") + QChar(0) + "here"),
                  &addCaption(home, QString(model::TextRect::maximumTextLength + 1, u'x')),
                  &addCaption(home, "Plain"), &addCaption(home, "Kept")};
    ASSERT_TRUE(model::LanguageEditing::addLanguage(m_document.context(), "de"));
    ASSERT_TRUE(m_captions[2]->setText("**Schlicht", "de"));
    ASSERT_TRUE(m_captions[3]->setText("Behalten", "de"));
    m_document.context().processPendingChanges();

    const TranslationFiles::ExportReport report =
        TranslationFiles::exportCatalogs(m_document.context(), m_folder.path(), "Shots", m_revised);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(report.leftOut,
              QStringList({"Home: “Cut here”: it holds the control character U+0000",
                           "Home: “" + QString(39, u'x') + "…”: it is longer than 5000 characters",
                           "Home: “Plain” in de: its markup does not parse"}));
    const QString plain = "Home/" + m_captions[2]->uniqueIdentifier();
    const QString kept = "Home/" + m_captions[3]->uniqueIdentifier();
    EXPECT_EQ(exported("de.po").entries, QList<PoFile::Entry>({{plain, "Plain", "", "Home", false},
                                                               {kept, "Kept", "Behalten", "Home", false}}));
    const auto alert = TranslationFiles::exportAlert(report);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->messageText, "Some texts were not exported.");
    EXPECT_TRUE(alert->informativeText.contains("Home: “Plain” in de"))
        << alert->informativeText.toStdString();
}
