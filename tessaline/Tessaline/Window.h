#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace tessaline {

class TitleBarView;
class WindowButton;
class WindowResizeHandle;

// A frameless top-level window that draws its own, optionally taller title bar: the close, minimise and
// zoom buttons placed by configurable margins and gap, centred in the title bar or hanging from its top;
// the title; and two optional views moved into the title bar (innerTitleBarView across its width,
// toolbarView below the buttons' row). Geometry is in points, y growing downwards as on screen.
//
// Properties are set after construction; awakeFromNib() then measures the standard layout, fills the
// margins left at 0 and installs the two views. It runs by itself before the window is first shown.
class TESSALINE_WIDGETS_EXPORT Window : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(
        bool centerTrafficLightButtons READ centerTrafficLightButtons WRITE setCenterTrafficLightButtons)
    Q_PROPERTY(bool hidesTitle READ hidesTitle WRITE setHidesTitle)
    Q_PROPERTY(double trafficLightHorizontalMargin READ trafficLightHorizontalMargin WRITE
                   setTrafficLightHorizontalMargin)
    Q_PROPERTY(
        double trafficLightVerticalMargin READ trafficLightVerticalMargin WRITE setTrafficLightVerticalMargin)
    Q_PROPERTY(double trafficLightGap READ trafficLightGap WRITE setTrafficLightGap)
    Q_PROPERTY(double titleBarHeight READ titleBarHeight WRITE setTitleBarHeight)
    Q_PROPERTY(QWidget* innerTitleBarView READ innerTitleBarView WRITE setInnerTitleBarView)
    Q_PROPERTY(QWidget* toolbarView READ toolbarView WRITE setToolbarView)

public:
    // The standard buttons, numbered as the window system numbers them.
    enum class ButtonKind
    {
        close = 0,
        miniaturize = 1,
        zoom = 2,
        documentIcon = 4,
        documentVersions = 6,
    };

    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // The title bar's height without any addition; taller values of titleBarHeight add to it.
    static double defaultTitleBarHeight();

    bool centerTrafficLightButtons() const { return m_centerTrafficLightButtons; }
    void setCenterTrafficLightButtons(bool center) { m_centerTrafficLightButtons = center; }
    bool hidesTitle() const { return m_hidesTitle; }
    void setHidesTitle(bool hides);
    double trafficLightHorizontalMargin() const { return m_trafficLightHorizontalMargin; }
    void setTrafficLightHorizontalMargin(double margin) { m_trafficLightHorizontalMargin = margin; }
    double trafficLightVerticalMargin() const { return m_trafficLightVerticalMargin; }
    void setTrafficLightVerticalMargin(double margin) { m_trafficLightVerticalMargin = margin; }
    double trafficLightGap() const { return m_trafficLightGap; }
    void setTrafficLightGap(double gap) { m_trafficLightGap = gap; }

    // The wanted total title-bar height; a value at or below the default height is stored as the default.
    // Changing it keeps the window's top edge and its content's size.
    double titleBarHeight() const { return m_titleBarHeight; }
    void setTitleBarHeight(double height);

    QWidget* innerTitleBarView() const { return m_innerTitleBarView; }
    void setInnerTitleBarView(QWidget* view) { m_innerTitleBarView = view; }
    QWidget* toolbarView() const { return m_toolbarView; }
    void setToolbarView(QWidget* view) { m_toolbarView = view; }

    // The window's content below the title bar; the window owns it.
    QWidget* contentView() const { return m_contentView; }
    void setContentView(QWidget* view);

    // Null for kinds this window does not show (the document icon and versions buttons).
    QAbstractButton* standardWindowButton(ButtonKind kind) const;
    // The close button's parent widget, or null.
    QWidget* titleBarView() const;
    // The first direct child label of the title bar, or null.
    QLabel* titleBarTextField() const;

    // Measures the standard buttons and installs the title-bar views; runs once.
    void awakeFromNib();
    // Places the buttons, then the title items, after the current margins; runs on every title-bar layout.
    void layoutIfNeeded();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where a view moved into the title bar sits, as distances from the title bar's edges.
    struct TitleBarPlacement
    {
        QPointer<QWidget> view;
        double leading = 0;
        double trailing = 0;
        double top = 0;
        // The bottom edge's distance from the title bar's bottom, or, when bottomFromTop, from its top.
        double bottom = 0;
        bool bottomFromTop = false;
    };

    double effectiveTitleBarHeight() const;
    void installInTitleBar(QWidget* view, const TitleBarPlacement& placement);
    void layoutTitleBar();
    void placeStandardButtons();
    void toggleZoom();

    bool m_centerTrafficLightButtons = true;
    bool m_hidesTitle = false;
    double m_trafficLightHorizontalMargin = 0;
    double m_trafficLightVerticalMargin = 0;
    double m_trafficLightHeight = 0;
    double m_trafficLightGap = 6.0;
    double m_titleBarHeight = 0;
    bool m_awake = false;
    QPointer<QWidget> m_innerTitleBarView;
    QPointer<QWidget> m_toolbarView;
    std::array<TitleBarPlacement, 2> m_placements;

    QVBoxLayout* m_layout = nullptr;
    TitleBarView* m_titleBar = nullptr;
    std::array<WindowButton*, 3> m_buttons{};
    QLabel* m_titleLabel = nullptr;
    QPointer<QWidget> m_contentView;
    std::array<WindowResizeHandle*, 8> m_resizeHandles{};
};

} // namespace tessaline
