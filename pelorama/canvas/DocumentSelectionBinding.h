#pragma once

#include <QObject>
#include <QPointer>

namespace pelorama::model {
class DocumentSelection;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasView;

// Makes a canvas view show a document's selection and select in it: the view shows the canvas of the
// first selected screenshot, built again whenever screenshots are chosen and never per render, and frames
// the selected drawable, in the selection's language; a selection made on the view becomes the document's. A
// child of the view.
class DocumentSelectionBinding : public QObject
{
    Q_OBJECT

public:
    DocumentSelectionBinding(CanvasView& view, model::DocumentSelection& selection);

private:
    void showSelectedScreenshot();
    void showSelectedDrawable();

    CanvasView& m_view;
    QPointer<model::DocumentSelection> m_selection;
};

} // namespace pelorama::canvas
