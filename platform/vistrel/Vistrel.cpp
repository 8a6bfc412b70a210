#include "vistrel/Vistrel.h"

#include "foundation/Diagnostics.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QThread>
#include <algorithm>
#include <array>

namespace vistrel {

namespace {

// Plain GLSL that desktop compatibility profiles and OpenGL ES 2 both accept.
constexpr const char* vertexShader = R"(
attribute vec2 position;
attribute vec2 textureCoordinate;
varying vec2 sampled;
void main()
{
    sampled = textureCoordinate;
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

constexpr const char* fragmentShader = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform sampler2D picture;
varying vec2 sampled;
void main()
{
    gl_FragColor = texture2D(picture, sampled);
}
)";

bool canMakeContext()
{
    // The offscreen platform can make a context through the display it finds, yet cannot show an OpenGL
    // widget: its windows have no surface to present to.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return false;
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    const bool answers = context.functions()->glGetString(GL_VERSION) != nullptr;
    context.doneCurrent();
    return answers;
}

QRectF fitted(QSizeF size, const QRectF& bounds)
{
    if (size.isEmpty() || bounds.isEmpty())
        return {};
    const double scale = std::min(bounds.width() / size.width(), bounds.height() / size.height());
    const QSizeF scaled = size * scale;
    return {bounds.x() + (bounds.width() - scaled.width()) / 2,
            bounds.y() + (bounds.height() - scaled.height()) / 2, scaled.width(), scaled.height()};
}

} // namespace

bool Vistrel::isSupported()
{
    if (!qGuiApp || QThread::currentThread() != qGuiApp->thread())
        return false;
    static const bool supported = canMakeContext();
    return supported;
}

Vistrel::Vistrel(const QRect& frame, QWidget* parent)
    : QOpenGLWidget(parent)
{
    setGeometry(frame);
}

Vistrel::~Vistrel()
{
    QOpenGLContext* glContext = context();
    if (!glContext)
        return;
    // The base class destroys the context after this; what it announces then must not reach a view
    // that is no longer whole.
    disconnect(glContext, nullptr, this, nullptr);
    if (m_resourcesReady) {
        makeCurrent();
        releaseResources();
        doneCurrent();
    }
}

void Vistrel::setBackgroundColor(const graphics::Color& color)
{
    m_backgroundColor = color;
    update();
}

void Vistrel::setFrameBuffer(std::shared_ptr<const FrameBuffer> frameBuffer)
{
    m_frameBuffer = std::move(frameBuffer);
    m_textureOutdated = true;
    update();
}

QRectF Vistrel::imageRect() const
{
    if (!m_frameBuffer || m_frameBuffer->isEmpty())
        return {};
    return fitted(m_frameBuffer->pixels().size().toSizeF(), QRectF(rect()));
}

void Vistrel::initializeGL()
{
    // A widget moved to another window gets a new context; what was made in the old one goes with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        releaseResources();
        doneCurrent();
    });
    initializeOpenGLFunctions();

    auto program = std::make_unique<QOpenGLShaderProgram>();
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader) || !program->link()) {
        foundation::warning("the image view's shaders do not build: " + program->log().simplified());
        return;
    }
    m_program = std::move(program);
    // Core profiles draw only with a vertex array object bound; the others do without one.
    m_vertexArray = std::make_unique<QOpenGLVertexArrayObject>();
    m_vertexArray->create();
    m_vertices = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    m_vertices->create();
    m_vertices->setUsagePattern(QOpenGLBuffer::DynamicDraw);
    glGenTextures(1, &m_texture);
    m_resourcesReady = true;
    m_textureOutdated = true;
}

void Vistrel::releaseResources()
{
    if (!m_resourcesReady)
        return;
    glDeleteTextures(1, &m_texture);
    m_texture = 0;
    m_vertices.reset();
    m_vertexArray.reset();
    m_program.reset();
    m_resourcesReady = false;
}

void Vistrel::uploadTexture()
{
    m_textureOutdated = false;
    if (!m_frameBuffer || m_frameBuffer->isEmpty())
        return;
    QImage pixels = m_frameBuffer->pixels().convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0 && (pixels.width() > largest || pixels.height() > largest))
        pixels = pixels.scaled(largest, largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Rows of RGBA8888 are whole words; a QImage row may carry padding beyond width * 4 only when its
    // stride says so, and then the rows are copied tightly first.
    if (pixels.bytesPerLine() != pixels.width() * 4)
        pixels = pixels.copy();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.width(), pixels.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.constBits());
}

void Vistrel::paintGL()
{
    const QColor background = m_backgroundColor.toQColor();
    glClearColor(background.redF(), background.greenF(), background.blueF(), background.alphaF());
    glClear(GL_COLOR_BUFFER_BIT);
    if (!m_resourcesReady)
        return;
    if (m_textureOutdated)
        uploadTexture();
    const QRectF target = imageRect();
    if (target.isEmpty())
        return;

    // The picture's rectangle in normalised device coordinates (y up); texture row 0 is the picture's
    // top row.
    const double left = target.left() / width() * 2 - 1;
    const double right = target.right() / width() * 2 - 1;
    const double top = 1 - target.top() / height() * 2;
    const double bottom = 1 - target.bottom() / height() * 2;
    const std::array<GLfloat, 16> vertices{
        GLfloat(left), GLfloat(bottom), 0, 1, GLfloat(right), GLfloat(bottom), 1, 1,
        GLfloat(left), GLfloat(top),    0, 0, GLfloat(right), GLfloat(top),    1, 0,
    };
    const QOpenGLVertexArrayObject::Binder vertexArrayBinding(m_vertexArray.get());
    m_vertices->bind();
    m_vertices->allocate(vertices.data(), int(sizeof(vertices)));

    m_program->bind();
    m_program->setUniformValue("picture", 0);
    const int position = m_program->attributeLocation("position");
    const int coordinate = m_program->attributeLocation("textureCoordinate");
    m_program->enableAttributeArray(position);
    m_program->enableAttributeArray(coordinate);
    m_program->setAttributeBuffer(position, GL_FLOAT, 0, 2, 4 * sizeof(GLfloat));
    m_program->setAttributeBuffer(coordinate, GL_FLOAT, 2 * sizeof(GLfloat), 2, 4 * sizeof(GLfloat));

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    // The pixels are premultiplied.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisable(GL_BLEND);

    m_program->disableAttributeArray(position);
    m_program->disableAttributeArray(coordinate);
    m_program->release();
    m_vertices->release();
}

} // namespace vistrel
