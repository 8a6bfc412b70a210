// Saves a document over and over until it is killed, for the crash test.
//
//   ManagedDocumentCrashHelper in-place <package>   changes and saves the package in place
//   ManagedDocumentCrashHelper save-as <folder>     saves new documents as <folder>/Copy-<n>.pelorama
//
// In place, save n sets every caption to n, fills the asset of screenshot n % 3 with the byte n % 256
// and sets "Generation" in the metadata to n. "saving" is printed once the first save is done.

#include "TestDocument.h"
#include "store/ManagedObject.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

constexpr qsizetype assetSize = 64 * 1024;

int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 2;
}

void announceSaving()
{
    std::puts("saving");
    std::fflush(stdout);
}

int saveInPlace(const QString& path)
{
    TestDocument document;
    if (auto read = document.readFromPath(path, TestDocument::typeName); !read)
        return fail(read.error().message());
    const QList<store::ManagedObject*> screenshots = document.screenshots();
    if (screenshots.isEmpty())
        return fail("The document has no screenshots.");
    bool announced = false;
    for (int generation = document.captions().value(0).toInt() + 1;; ++generation) {
        for (store::ManagedObject* screenshot : screenshots)
            screenshot->setValueForKey(QString::number(generation), "caption");
        store::ManagedObject* asset = screenshots[generation % screenshots.size()]->relatedObject("asset");
        asset->setValueForKey(QByteArray(assetSize, char(generation % 256)), "data");
        QVariantMap metadata = document.metadata().dictionary();
        metadata.insert("Generation", generation);
        document.metadata().setDictionary(metadata);
        if (auto saved = document.save(); !saved)
            return fail(saved.error().message());
        // Undo would otherwise keep every asset ever written.
        document.undoStack()->clear();
        if (!announced) {
            announced = true;
            announceSaving();
        }
    }
}

int saveAsNewDocuments(const QString& folder)
{
    for (int number = 0;; ++number) {
        TestDocument document;
        document.initializeNewDocument(TestDocument::typeName);
        for (int index = 0; index < 3; ++index)
            document.addScreenshot(QString::number(number), index, QByteArray(assetSize, char(number % 256)));
        if (auto saved =
                document.saveAs(QDir(folder).filePath("Copy-" + QString::number(number) + ".pelorama"));
            !saved)
            return fail(saved.error().message());
        if (number == 0)
            announceSaving();
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3)
        return fail("usage: ManagedDocumentCrashHelper in-place <package> | save-as <folder>");
    if (arguments[1] == "in-place")
        return saveInPlace(arguments[2]);
    if (arguments[1] == "save-as")
        return saveAsNewDocuments(arguments[2]);
    return fail("unknown mode " + arguments[1]);
}
