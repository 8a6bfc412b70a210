#pragma once

#include "appkit/widgets/LengthLimitedTextEdit.h"
#include "graphics/Font.h"
#include "model/entities/TextRect.h"

#include <QPointer>

namespace pelorama::canvas {

// The in-place editor of a caption: its markup text in one language as plain text (the base text where
// it has none in that language), over the caption's rectangle in the
// canvas view, in the caption's font scaled as the view shows it. It edits one text rect, fixed when it
// opens, and that language. Return, Enter, Tab and Backtab end the editing, and so does the focus going to
// another widget (not the window going inactive or a popup opening); Escape cancels it, dropping what was
// typed. It takes no more text than a caption takes (model::TextRect::maximumTextLength) and says so in a
// popover when it refuses some; pasted or dropped text comes with only the characters a caption holds
// (model::CaptionText).
class CaptionEditor : public appkit::LengthLimitedTextEdit
{
    Q_OBJECT

public:
    // language: a code of the document's languages, empty for the base language.
    CaptionEditor(model::TextRect& textRect, const QString& language, const graphics::Font& font,
                  QWidget* parent);

    // None once the text rect was destroyed.
    model::TextRect* textRect() const { return m_textRect; }
    const QString& language() const { return m_language; }
    // The font shown, in view points.
    const graphics::Font& editorFont() const { return m_font; }

signals:
    // Sent once, when the editing ends by key or focus; or else editingWasCancelled, once, on Escape.
    void editingDidEnd();
    void editingWasCancelled();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void endEditing();

    QPointer<model::TextRect> m_textRect;
    QString m_language;
    graphics::Font m_font;
    bool m_ended = false;
};

} // namespace pelorama::canvas
