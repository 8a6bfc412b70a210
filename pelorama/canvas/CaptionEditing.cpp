#include "canvas/CaptionEditing.h"

#include "canvas/CaptionEditor.h"
#include "model/entities/TextRect.h"

namespace pelorama::canvas {

CaptionEditing::CaptionEditing(QWidget& view)
    : m_view(view)
{}

CaptionEditing::~CaptionEditing()
{
    if (m_editor) {
        m_editor->disconnect(&m_view);
        delete m_editor;
    }
}

void CaptionEditing::open(model::TextRect& textRect, const QString& language, const graphics::Rect& viewRect,
                          double scale)
{
    const graphics::Font font = textRect.font();
    auto* editor = new CaptionEditor(textRect, language, font.withSize(font.pointSize() * scale), &m_view);
    const QRectF frame(viewRect.minX(), m_view.height() - viewRect.maxY(), viewRect.width(),
                       viewRect.height());
    editor->setGeometry(frame.toAlignedRect());
    QObject::connect(editor, &CaptionEditor::editingDidEnd, &m_view, [this] { commit(); });
    QObject::connect(editor, &CaptionEditor::editingWasCancelled, &m_view, [this] { close(); });
    m_editor = editor;
    editor->show();
    editor->selectAll();
    editor->setFocus(Qt::OtherFocusReason);
}

void CaptionEditing::commit()
{
    if (!m_editor)
        return;
    model::TextRect* textRect = m_editor->textRect();
    const QString text = m_editor->toPlainText();
    const QString language = m_editor->language();
    close();
    if (!textRect || textRect->isDeleted() || !textRect->managedObjectContext() ||
        textRect->text(language) == text)
        return;
    if (language.isEmpty())
        textRect->setText(text);
    else
        textRect->setText(text, language);
}

void CaptionEditing::close()
{
    CaptionEditor* editor = m_editor;
    m_editor = nullptr;
    editor->disconnect(&m_view);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    // Ending may run inside the editor's own key or focus handling: it goes once that has returned.
    editor->deleteLater();
    if (hadFocus)
        m_view.setFocus(Qt::OtherFocusReason);
}

} // namespace pelorama::canvas
