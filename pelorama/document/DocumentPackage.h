#pragma once

#include "appkit/core/DocumentError.h"
#include "manageddocument/ManagedDocument.h"
#include "manageddocument/PropertyListResource.h"

#include <memory>

namespace pelorama::document {

// A Pelorama document as it lies on disk, without windows: a package named *.pelorama holding the store
// of its screenshots and the "Metadata" property list. The document window's document is one; so is a
// package opened only to be read (exported from the command line, say).
class DocumentPackage : public manageddocument::ManagedDocument
{
    Q_OBJECT

public:
    // The type name documents are read and written as, and the packages' extension.
    static QString typeName();
    static QString extension();

    DocumentPackage();

    const manageddocument::PropertyListResource& metadata() const { return m_metadata; }
    manageddocument::PropertyListResource& metadata() { return m_metadata; }

    // Opens the package at path to read it only: nothing in it is ever written, neither by a save nor by
    // autosave; changes stay in memory. The error names the package and says why it could not be opened:
    // "No such document", "not a Pelorama document", or what reading found.
    static appkit::DocumentResult<std::unique_ptr<DocumentPackage>> openForReading(const QString& path);
    bool isReadOnly() const { return m_readOnly; }

    bool autosavesInPlace() const override { return !m_readOnly; }

    // The most characters a text read from a store may have: far more than any caption, name or
    // translation takes, and few enough to lay out. A store holding a longer one is refused at open,
    // naming the screenshot; its texts are otherwise taken as they are stored.
    static constexpr qint64 maximumStoredTextLength = qint64(1) << 20;

protected:
    // Refuses a store that lists more languages than a document takes (model::TranslationsText::
    // maximumCount): a store made elsewhere may list any number, which no edit here could make.
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    std::vector<manageddocument::PackageResource*> createResources() override;
    // Refuses a store with a text longer than maximumStoredTextLength before anything is shown or drawn.
    appkit::DocumentResult<> readAdditionalContent(const QString& packagePath) override;
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;

private:
    appkit::DocumentResult<> refuseOverlongTexts();

    manageddocument::PropertyListResource m_metadata{QStringLiteral("Metadata")};
    bool m_readOnly = false;
};

} // namespace pelorama::document
