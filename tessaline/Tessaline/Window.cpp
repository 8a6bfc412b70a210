#include "tessaline/Tessaline/Window.h"

#include "foundation/Diagnostics.h"
#include "tessaline/Tessaline/TitleBarView.h"
#include "tessaline/Tessaline/WindowButton.h"
#include "tessaline/Tessaline/WindowResizeHandle.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace tessaline {
namespace {

// The standard layout of the title bar before the window adjusts it: buttons hang 7 points below the
// title bar's top, the first 7 points from its left edge, 20 points apart.
constexpr int standardButtonLeft = 7;
constexpr int standardButtonTop = 7;
constexpr int standardButtonPitch = 20;
constexpr int standardTitleBarHeight = 28;

} // namespace

Window::Window(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_titleBar = new TitleBarView(this);
    m_titleBar->setFixedHeight(standardTitleBarHeight);
    const WindowButton::Kind kinds[] = {WindowButton::Kind::close, WindowButton::Kind::miniaturize,
                                        WindowButton::Kind::zoom};
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i] = new WindowButton(kinds[i], m_titleBar);
        m_buttons[i]->installEventFilter(this);
    }
    connect(m_buttons[0], &QAbstractButton::clicked, this, &QWidget::close);
    connect(m_buttons[1], &QAbstractButton::clicked, this, &QWidget::showMinimized);
    connect(m_buttons[2], &QAbstractButton::clicked, this, &Window::toggleZoom);
    connect(m_titleBar, &TitleBarView::zoomRequested, this, &Window::toggleZoom);

    m_titleLabel = new QLabel(m_titleBar);
    m_titleLabel->setObjectName(QStringLiteral("titleBarTextField"));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_titleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &QWidget::windowTitleChanged, m_titleLabel, &QLabel::setText);

    m_layout->addWidget(m_titleBar);
    setContentView(new QWidget);

    const Qt::Edges edges[] = {Qt::LeftEdge,
                               Qt::RightEdge,
                               Qt::TopEdge,
                               Qt::BottomEdge,
                               Qt::TopEdge | Qt::LeftEdge,
                               Qt::TopEdge | Qt::RightEdge,
                               Qt::BottomEdge | Qt::LeftEdge,
                               Qt::BottomEdge | Qt::RightEdge};
    for (std::size_t i = 0; i < m_resizeHandles.size(); ++i) {
        m_resizeHandles[i] = new WindowResizeHandle(edges[i], this);
    }

    connect(m_titleBar, &TitleBarView::resized, this, &Window::layoutTitleBar);
    layoutTitleBar();
}

Window::~Window() = default;

double Window::defaultTitleBarHeight()
{
    return standardTitleBarHeight;
}

void Window::setHidesTitle(bool hides)
{
    m_hidesTitle = hides;
    m_titleLabel->setVisible(!hides);
}

double Window::effectiveTitleBarHeight() const
{
    return std::max(m_titleBarHeight, defaultTitleBarHeight());
}

void Window::setTitleBarHeight(double newHeight)
{
    const double previous = effectiveTitleBarHeight();
    m_titleBarHeight = newHeight <= defaultTitleBarHeight() ? defaultTitleBarHeight() : newHeight;
    const double current = effectiveTitleBarHeight();
    m_titleBar->setFixedHeight(qRound(current));
    // The title bar grows into the window, keeping its top edge and its content's size.
    if (isVisible() || testAttribute(Qt::WA_Resized)) {
        resize(width(), height() + qRound(current - previous));
    }
}

void Window::setContentView(QWidget* view)
{
    if (!view || view == m_contentView) {
        return;
    }
    if (m_contentView) {
        m_layout->removeWidget(m_contentView);
        delete m_contentView.data();
    }
    m_contentView = view;
    view->setParent(this);
    m_layout->addWidget(view, 1);
    view->show();
    for (WindowResizeHandle* handle : m_resizeHandles) {
        if (handle) {
            handle->raise();
        }
    }
}

QAbstractButton* Window::standardWindowButton(ButtonKind kind) const
{
    switch (kind) {
    case ButtonKind::close:
        return m_buttons[0];
    case ButtonKind::miniaturize:
        return m_buttons[1];
    case ButtonKind::zoom:
        return m_buttons[2];
    case ButtonKind::documentIcon:
    case ButtonKind::documentVersions:
        return nullptr;
    }
    return nullptr;
}

QWidget* Window::titleBarView() const
{
    QAbstractButton* close = standardWindowButton(ButtonKind::close);
    return close ? close->parentWidget() : nullptr;
}

QLabel* Window::titleBarTextField() const
{
    QWidget* titleBar = titleBarView();
    if (!titleBar) {
        return nullptr;
    }
    for (QObject* child : titleBar->children()) {
        if (auto* label = qobject_cast<QLabel*>(child)) {
            return label;
        }
    }
    return nullptr;
}

void Window::awakeFromNib()
{
    if (m_awake) {
        return;
    }
    m_awake = true;
    QAbstractButton* close = standardWindowButton(ButtonKind::close);
    if (!close) {
        foundation::warning(QStringLiteral("Window can't resolve close button!"));
        return;
    }
    if (!close->parentWidget()) {
        foundation::warning(QStringLiteral("Window can't resolve title bar view!"));
        return;
    }
    const double x = close->geometry().left();
    const double topGap = close->geometry().top();
    if (m_trafficLightHorizontalMargin == 0) {
        m_trafficLightHorizontalMargin = x;
    }
    if (m_trafficLightVerticalMargin == 0) {
        m_trafficLightVerticalMargin = topGap;
    }
    m_trafficLightHeight = close->height();
    setHidesTitle(m_hidesTitle);
    if (!titleBarView()) {
        foundation::warning(QStringLiteral("Window can't resolve title bar view!"));
        return;
    }

    const double h = m_trafficLightHorizontalMargin;
    const double v = m_trafficLightVerticalMargin;
    const double b = m_trafficLightHeight;
    if (m_innerTitleBarView) {
        TitleBarPlacement placement{m_innerTitleBarView, 2 * h, 2 * h, v, v, false};
        if (!m_centerTrafficLightButtons) {
            placement.bottom = v + b;
            placement.bottomFromTop = true;
        }
        m_placements[0] = placement;
        installInTitleBar(m_innerTitleBarView, placement);
    }
    if (m_toolbarView) {
        m_placements[1] = TitleBarPlacement{m_toolbarView, h, h, 2 * v + b, v, false};
        installInTitleBar(m_toolbarView, m_placements[1]);
    }
    layoutTitleBar();
}

void Window::installInTitleBar(QWidget* view, const TitleBarPlacement&)
{
    QWidget* titleBar = titleBarView();
    if (view->parentWidget() && view->parentWidget()->layout()) {
        view->parentWidget()->layout()->removeWidget(view);
    }
    view->setParent(titleBar);
    view->show();
    // The window buttons stay clickable above a view spanning the title bar.
    for (WindowButton* button : m_buttons) {
        button->raise();
    }
}

void Window::layoutTitleBar()
{
    const int width = m_titleBar->width();
    const QSize titleSize = m_titleLabel->sizeHint();
    const int reserved = standardButtonLeft + 3 * standardButtonPitch;
    const int titleWidth = std::max(0, std::min(titleSize.width(), width - 2 * reserved));
    m_titleLabel->setGeometry((width - titleWidth) / 2, m_titleLabel->y(), titleWidth, titleSize.height());
    layoutIfNeeded();

    const double height = m_titleBar->height();
    for (const TitleBarPlacement& placement : m_placements) {
        if (!placement.view || placement.view->parentWidget() != m_titleBar) {
            continue;
        }
        const double top = placement.top;
        const double bottom = placement.bottomFromTop ? placement.bottom : height - placement.bottom;
        placement.view->setGeometry(qRound(placement.leading), qRound(top),
                                    std::max(0, qRound(width - placement.trailing - placement.leading)),
                                    std::max(0, qRound(bottom - top)));
    }
}

void Window::placeStandardButtons()
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->move(standardButtonLeft + static_cast<int>(i) * standardButtonPitch, standardButtonTop);
    }
    const int height = m_titleLabel->height();
    m_titleLabel->move(m_titleLabel->x(), (standardTitleBarHeight - height) / 2);
}

void Window::layoutIfNeeded()
{
    if (!m_awake) {
        placeStandardButtons();
        return;
    }
    const double h = m_trafficLightHorizontalMargin;
    const double v = m_trafficLightVerticalMargin;
    const auto verticalPosition = [&](const QWidget* item) {
        const double superHeight = item->parentWidget()->height();
        const double itemHeight = item->height();
        return m_centerTrafficLightButtons ? superHeight / 2 - itemHeight / 2 : v;
    };
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        WindowButton* button = m_buttons[i];
        if (!button || !button->parentWidget()) {
            continue;
        }
        const double x = h + static_cast<double>(i) * (button->width() + m_trafficLightGap);
        button->move(qRound(x), qRound(verticalPosition(button)));
    }
    // The document icon and versions buttons are not part of this window's chrome; the title follows.
    if (QLabel* title = titleBarTextField(); title && title->parentWidget()) {
        title->move(title->x(), qRound(verticalPosition(title)));
    }
}

void Window::showEvent(QShowEvent* event)
{
    awakeFromNib();
    QWidget::showEvent(event);
}

void Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (WindowResizeHandle* handle : m_resizeHandles) {
        handle->place();
    }
}

void Window::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const bool resizable = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        for (WindowResizeHandle* handle : m_resizeHandles) {
            handle->setVisible(resizable);
        }
    }
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        if (std::find(m_buttons.begin(), m_buttons.end(), watched) != m_buttons.end()) {
            for (WindowButton* button : m_buttons) {
                button->setShowsGlyph(event->type() == QEvent::Enter);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Window::toggleZoom()
{
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

} // namespace tessaline
