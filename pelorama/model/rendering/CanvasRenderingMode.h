#pragma once

namespace pelorama::model {

// What a render is for. Drawables without a picture draw nothing for it in exportImage and thumbnail,
// the "Drag image here" placeholders in canvasView, and an empty box (images) or a placeholder picture
// (device images) in templatePreview. (exportImage is named so because export is a C++ keyword.)
enum class CanvasRenderingMode
{
    exportImage,
    canvasView,
    thumbnail,
    templatePreview,
};

} // namespace pelorama::model
