#pragma once

#include "graphics/Color.h"
#include "vistrel/FrameBuffer.h"

#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <memory>

class QOpenGLBuffer;
class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;

namespace vistrel {

// An image view drawn by the GPU: the frame buffer's pixels are uploaded once as a texture and drawn
// fitted into the view, centred with their aspect ratio kept, over the background colour.
//
// Made only where isSupported() says an OpenGL context can be made; everything runs on the GUI thread.
class Vistrel : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT

public:
    // Whether this system can make an OpenGL context and make it current. The answer is found once per
    // process, on the first call (from the GUI thread, once the application exists).
    static bool isSupported();

    // frame is the view's geometry in its parent's coordinates.
    explicit Vistrel(const QRect& frame, QWidget* parent = nullptr);
    ~Vistrel() override;

    graphics::Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const graphics::Color& color);

    // The picture shown; none shows only the background. Each new frame buffer replaces the last one.
    const std::shared_ptr<const FrameBuffer>& frameBuffer() const { return m_frameBuffer; }
    void setFrameBuffer(std::shared_ptr<const FrameBuffer> frameBuffer);

    // Where the picture is drawn, in the view's own coordinates (y down, points): the frame buffer's
    // size fitted into the view's rectangle; empty without a picture.
    QRectF imageRect() const;

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void uploadTexture();
    void releaseResources();

    graphics::Color m_backgroundColor{1, 1, 1, 1};
    std::shared_ptr<const FrameBuffer> m_frameBuffer;
    bool m_textureOutdated = false;
    bool m_resourcesReady = false;
    GLuint m_texture = 0;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLVertexArrayObject> m_vertexArray;
    std::unique_ptr<QOpenGLBuffer> m_vertices;
};

} // namespace vistrel
