#include "tessaline/Tessaline/AboutWindow.h"

#include "tessaline/Tessaline/AboutWindowController.h"
#include "tessaline/Tessaline/WindowCloseKeys.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace tessaline {

AboutWindow::AboutWindow(AboutWindowController* controller)
    : QWidget(nullptr, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutWindowController"));
    setWindowTitle(tr("About"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 24);
    layout->setSpacing(6);

    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto* iconLabel = new QLabel(this);
        iconLabel->setPixmap(icon.pixmap(64, 64));
        iconLabel->setAlignment(Qt::AlignCenter);
        layout->addWidget(iconLabel);
    }
    const auto addText = [&](const char* key, const char* objectName, int pointSizeDelta, bool bold) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(objectName));
        label->setAlignment(Qt::AlignCenter);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() + pointSizeDelta);
        font.setBold(bold);
        label->setFont(font);
        layout->addWidget(label);
        m_observers.push_back(
            std::make_unique<Observer>(controller, QString::fromLatin1(key),
                                       [label](const QVariant& value) { label->setText(value.toString()); }));
    };
    addText("applicationName", "applicationName", 3, true);
    addText("applicationVersion", "applicationVersion", 0, false);
    addText("applicationCopyright", "applicationCopyright", -1, false);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
    addWindowCloseKeys(*this);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_drag.begin(this, event, {});
    }
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.follow(event);
}

void AboutWindow::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.end();
}

} // namespace tessaline
