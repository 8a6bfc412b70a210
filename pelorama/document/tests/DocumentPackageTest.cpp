// Opening a document package to read it only (as an export from the command line does): never writing a
// byte of it, and refusing texts too long to lay out.
#include "document/DocumentPackage.h"

#include "FolderContents.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using pelorama::document::DocumentPackage;
namespace model = pelorama::model;

namespace {

// A package at path with the screenshot "Home" showing a caption with text and translations.
void makePackage(const QString& path, const QString& text, const model::Translations& translations = {})
{
    DocumentPackage package;
    package.initializeNewDocument(DocumentPackage::typeName());
    store::ManagedObjectContext& context = *package.managedObjectContext();
    model::Screenshot* screenshot = model::Screenshot::insertInto(context);
    screenshot->setName("Home");
    model::TextRect* caption = model::TextRect::insertInto(context);
    caption->setText(text);
    caption->setTranslations(translations);
    model::DrawableMapping::insert(*caption, *screenshot, context);
    auto saved = package.saveAs(path);
    ASSERT_TRUE(saved) << saved.error().message().toStdString();
}

using testsupport::contentsOf;

QString opened(const QString& path)
{
    auto package = DocumentPackage::openForReading(path);
    return package ? QString() : package.error().message();
}

} // namespace

// Reading writes nothing, so another name of the store (planted in an export folder, say) is no reason
// to refuse the document.
TEST(DocumentPackageTest, AStoreWithAnotherNameIsRead)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Doc.pelorama");
    makePackage(path, "Hello");
    ASSERT_TRUE(QDir(folder.path()).mkdir("out"));
    ASSERT_EQ(::link(QFile::encodeName(DocumentPackage::persistentStorePath(path)).constData(),
                     QFile::encodeName(folder.filePath("out/Home.png")).constData()),
              0);
    const QStringList before = contentsOf(path);
    EXPECT_EQ(opened(path), QString());
    EXPECT_EQ(contentsOf(path), before);
}

// A text longer than any store takes is refused at open, naming the screenshot, and left as it is.
TEST(DocumentPackageTest, TextsTooLongToLayOutAreRefusedNamingTheScreenshot)
{
    QTemporaryDir folder;
    const qint64 longest = DocumentPackage::maximumStoredTextLength;
    const struct
    {
        const char* name;
        QString text;
        model::Translations translations;
        QString refusal;
    } cases[] = {
        {"longest caption", QString(longest, 'x'), {}, {}},
        // Characters outside the first plane count once, as they are stored.
        {"longest caption of pairs", QString::fromUcs4(U"\U0001F600", 1).repeated(longest), {}, {}},
        {"longer caption",
         QString(longest + 1, 'x'),
         {},
         "The caption of the screenshot “Home” is longer than"},
        {"longer translation",
         "Hello",
         {{"de", QString(longest + 1, 'x')}},
         "A translation of the caption of the screenshot “Home” is longer than"},
        {"many long translations",
         "Hello",
         {{"de", QString(longest, 'x')}, {"fr", QString(longest, 'x')}},
         {}},
    };
    for (const auto& test : cases) {
        const QString path = folder.filePath(QString(test.name) + ".pelorama");
        makePackage(path, test.text, test.translations);
        const QStringList before = contentsOf(path);
        const QString refusal = opened(path);
        if (test.refusal.isEmpty()) {
            EXPECT_EQ(refusal, QString()) << test.name;
        } else {
            EXPECT_TRUE(refusal.contains(test.refusal + " the 1048576 characters a text may have."))
                << test.name << ": " << refusal.toStdString();
        }
        EXPECT_EQ(contentsOf(path), before) << test.name;
    }
}
