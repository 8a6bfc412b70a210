#include "document/ExportPlan.h"

#include "TestDocument.h"
#include "document/DocumentsExportPlan.h"
#include "document/ExportFileNames.h"
#include "model/entities/Screenshot.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelorama;
using document::ActionAlert;
using document::ExportPlan;
namespace names = document::ExportFileNames;

namespace {

class ExportPlanTest : public testing::Test
{
protected:
    model::Screenshot& add(const QString& name)
    {
        return m_document.addScreenshot(name, m_document.count<model::Screenshot>());
    }

    TestDocument m_document;
    QTemporaryDir m_directory;
};

// Each planned file as "file name (language)", or the screenshot's name where it makes none.
QStringList filesOf(const ExportPlan& plan)
{
    QStringList files;
    for (const ExportPlan::Item& item : plan.items)
        files.append(item.fileName.value_or("<" + item.name + ">") + " (" + item.language + ")");
    return files;
}

} // namespace

TEST(ExportFileNamesTest, NamesBecomeOneFileInTheChosenDirectory)
{
    EXPECT_EQ(names::fileName("Home"), "Home.png");
    EXPECT_EQ(names::fileName("a/b"), "a-b.png");
    EXPECT_EQ(names::fileName("../../etc/x"), "..-..-etc-x.png");
    EXPECT_EQ(names::fileName(QString("a") + QChar(u'\0') + "b"), "a-b.png");
    EXPECT_EQ(names::fileName("..."), "....png");
    EXPECT_EQ(names::fileName(" "), " .png");
    for (const char* refused : {"", ".", ".."})
        EXPECT_EQ(names::fileName(refused), std::nullopt) << refused;
}

TEST(ExportFileNamesTest, DuplicatesAreFoundAmongTheFileNames)
{
    EXPECT_EQ(names::duplicates({"Home.png", "home.png", "Detail.png"}, Qt::CaseSensitive), QStringList());
    EXPECT_EQ(names::duplicates({"Home.png", "home.png", "HOME.png", "Detail.png"}, Qt::CaseInsensitive),
              QStringList{"home.png"});
    EXPECT_EQ(names::duplicates({"a.png", "b.png", "a.png", "b.png", "a.png"}, Qt::CaseSensitive),
              (QStringList{"a.png", "b.png"}));
    // The file system this test runs on tells names apart by case.
    QTemporaryDir directory;
    EXPECT_TRUE(names::isCaseSensitive(directory.path()));
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
}

TEST_F(ExportPlanTest, ScreenshotsWhoseFilesWouldCoincideStopTheExportBeforeItStarts)
{
    add("Home");
    add("home");
    EXPECT_EQ(ExportPlan::checkNames(m_document.context()), std::nullopt);
    add("Home");
    const ActionAlert duplicate{"Duplicate names",
                                "There are multiple screenshots with the same name. Please "
                                "change them so they are not written to the same filename."};
    EXPECT_EQ(ExportPlan::checkNames(m_document.context()), duplicate);
    // Names that differ only by what cleaning replaces are duplicates too.
    TestDocument other;
    other.addScreenshot("a/b", 0);
    other.addScreenshot("a-b", 1);
    EXPECT_EQ(ExportPlan::checkNames(other.context()), duplicate);
}

// A screenshot makes a file in each language's folder, one language after another before the next
// screenshot; without languages, one file straight in the directory. A name that makes no file is
// planned still, to be named when its turn comes.
TEST_F(ExportPlanTest, EachScreenshotIsPlannedInEveryLanguageBeforeTheNext)
{
    add("Home");
    add("..");
    add("a/b");
    const ExportPlan plain = ExportPlan::ofDocument(m_document.context(), m_directory.path());
    EXPECT_EQ(plain.refusal, std::nullopt);
    EXPECT_EQ(plain.languageFolders, QStringList());
    EXPECT_EQ(filesOf(plain), (QStringList{"Home.png ()", "<..> ()", "a-b.png ()"}));

    store::ManagedObjectContext& context = m_document.context();
    ASSERT_TRUE(
        model::LanguageEditing::renameLanguage(context, model::LanguageCode::systemDefault(), "en-US"));
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    const ExportPlan translated = ExportPlan::ofDocument(context, m_directory.path());
    EXPECT_EQ(translated.languageFolders, (QStringList{"en-US", "de-DE"}));
    EXPECT_EQ(translated.filesPerScreenshot(), 2);
    EXPECT_EQ(filesOf(translated),
              (QStringList{"en-US/Home.png (en-US)", "de-DE/Home.png (de-DE)", "<..> (en-US)", "<..> (de-DE)",
                           "en-US/a-b.png (en-US)", "de-DE/a-b.png (de-DE)"}));

    const ExportPlan named = ExportPlan::ofScreenshot(add(".."), m_directory.filePath("chosen.png"), "de-DE");
    EXPECT_TRUE(named.toNamedFile);
    EXPECT_EQ(named.directory, m_directory.path());
    EXPECT_EQ(filesOf(named), QStringList{"chosen.png (de-DE)"});
}

TEST_F(ExportPlanTest, OnlyAnExistingDirectoryIsPlannedInto)
{
    add("Home");
    QFile file(m_directory.filePath("plain"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const QString& place : {m_directory.filePath("missing"), file.fileName()})
        EXPECT_EQ(ExportPlan::ofDocument(m_document.context(), place).refusal,
                  (ActionAlert{"Export failed", "Please select a directory"}))
            << place.toStdString();
}

// The command line's plan refuses a directory it may not write into before it reads any document, with
// the line that says why; the window's refuses the same places that are no directory.
TEST_F(ExportPlanTest, ADocumentsPlanRefusesADirectoryItMayNotWriteInto)
{
    const QDir root(m_directory.path());
    ASSERT_TRUE(root.mkpath("Named.pelorama/inside") && root.mkpath("Other.Pelorama/deep/er"));
    QFile file(root.filePath("plain"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString named = root.filePath("Named.pelorama");
    const struct
    {
        QString directory;
        QStringList refusals;
    } cases[] = {
        {root.filePath("missing"), {"The directory “" + root.filePath("missing") + "” does not exist."}},
        {file.fileName(), {"“" + file.fileName() + "” is not a directory."}},
        {named + "/inside",
         {named + ": The directory “" + named + "/inside” lies inside this document, which is only read.",
          named + ": The directory “" + named + "/inside” lies inside this document, which is only read."}},
        {root.filePath("Other.Pelorama/deep/er"),
         {"The directory “" + root.filePath("Other.Pelorama/deep/er") + "” lies inside the document " +
          QDir(root.filePath("Other.Pelorama")).canonicalPath() + ", which is only read."}},
    };
    for (const auto& [directory, refusals] : cases) {
        const document::DocumentsExportPlan plan =
            document::DocumentsExportPlan::make(directory, {named, named}, {}, {});
        EXPECT_TRUE(plan.directoryRefused) << directory.toStdString();
        EXPECT_EQ(plan.refusals, refusals) << directory.toStdString();
        EXPECT_TRUE(plan.documents.empty());
        EXPECT_EQ(ExportPlan::directoryRefusal(directory).has_value(),
                  ExportPlan::ofDocument(m_document.context(), directory).refusal.has_value())
            << directory.toStdString();
    }
}
