#pragma once

#include "foundation/KeyValueObservation.h"
#include "ledgerline/core/PropertyEditable.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace pelorama::app {

// A caption as the inspector shows it in one of its document's languages other than the base: the
// caption's own rows, but the text row shows and edits "text", its text in that language, and a note
// under it says while it has none there and shows the base text, naming the language that text really
// is in (LanguageEditing::baseTextLanguage): "Not translated: showing English (United States)".
// Typing into the row makes the translation; emptying it gives way to the base text again.
class CaptionInLanguage : public QObject, public ledgerline::PropertyEditable
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)

public:
    // languages: the document's.
    CaptionInLanguage(model::TextRect& caption, const QString& language, model::DocumentLanguages languages,
                      QObject* parent = nullptr);
    ~CaptionInLanguage() override;

    // None once the caption was destroyed.
    model::TextRect* caption() const { return m_caption; }
    const QString& language() const { return m_language; }
    const model::DocumentLanguages& languages() const { return m_languages; }

    // What the caption shows in the language. Storing what it shows already changes nothing, so that
    // showing the base text makes no translation of it.
    QString text() const;
    void setText(const QString& text);

    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() override;

    // What the note says while the caption has no text in the language.
    QString note() const;

signals:
    // After every store into the caption's text or translations.
    void textChanged();

private:
    QPointer<model::TextRect> m_caption;
    QString m_language;
    model::DocumentLanguages m_languages;
    foundation::KeyValueObservation m_baseText;
    foundation::KeyValueObservation m_translations;
};

} // namespace pelorama::app
