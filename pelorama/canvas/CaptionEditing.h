#pragma once

#include "graphics/Rect.h"

#include <QPointer>

class QWidget;

namespace pelorama::model {
class TextRect;
} // namespace pelorama::model

namespace pelorama::canvas {

class CaptionEditor;

// The in-place editing of captions in a view, one at a time. The editor opens over the caption's
// rectangle with the caption's text in a language; ending it by key or focus, or commit(), writes what
// was typed into the caption in that language, only when it differs from what the caption showed there, so
// that opening and leaving the editor is no edit of the document; Escape closes it and writes nothing.
// Closing gives the keyboard focus back to the view when the editor had it.
class CaptionEditing
{
public:
    explicit CaptionEditing(QWidget& view);
    // An editor still open goes without writing: the view it would write from is going.
    ~CaptionEditing();
    CaptionEditing(const CaptionEditing&) = delete;
    CaptionEditing& operator=(const CaptionEditing&) = delete;

    // The editor while one is open.
    CaptionEditor* editor() const { return m_editor; }
    // Opens the editor of textRect's text in language (empty for the base language) over viewRect (view
    // points, y up), in the caption's font scaled by scale (view points per canvas point), with all its
    // text selected and the keyboard focus.
    void open(model::TextRect& textRect, const QString& language, const graphics::Rect& viewRect,
              double scale);
    // Writes the editor's text into its caption, then closes it; nothing when none is open.
    void commit();

private:
    void close();

    QWidget& m_view;
    QPointer<CaptionEditor> m_editor;
};

} // namespace pelorama::canvas
