#include "app/SplitViewController.h"

#include <QEasingCurve>
#include <QSplitter>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>
#include <utility>

namespace pelorama::app {

SplitViewController::SplitViewController(QObject* parent)
    : appkit::ViewController(parent)
{}

SplitViewController::~SplitViewController()
{
    for (const auto& item : m_items)
        item->m_splitViewController = nullptr;
}

void SplitViewController::loadView()
{
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(1);
    setView(splitter);
}

QSplitter* SplitViewController::splitter()
{
    return static_cast<QSplitter*>(view());
}

std::vector<SplitViewItem*> SplitViewController::splitViewItems() const
{
    std::vector<SplitViewItem*> items;
    for (const auto& item : m_items)
        items.push_back(item.get());
    return items;
}

void SplitViewController::setSplitViewItems(std::vector<std::unique_ptr<SplitViewItem>> items)
{
    QSplitter* panes = splitter();
    for (const auto& item : m_items) {
        if (QWidget* pane = paneView(*item))
            pane->setParent(nullptr);
        item->m_splitViewController = nullptr;
    }
    m_items = std::move(items);
    for (const auto& item : m_items) {
        item->m_splitViewController = this;
        QWidget* pane = paneView(*item);
        if (!pane)
            continue;
        panes->addWidget(pane);
        const int index = panes->indexOf(pane);
        const bool isSidebar = item->behavior() == SplitViewItem::Behavior::Sidebar;
        panes->setStretchFactor(index, isSidebar ? 0 : 1);
        panes->setCollapsible(index, false);
        applyMinimumThickness(*item);
        applyCollapsed(*item);
    }
}

QWidget* SplitViewController::paneView(const SplitViewItem& item) const
{
    return item.viewController() ? item.viewController()->view() : nullptr;
}

int SplitViewController::indexOf(const SplitViewItem& item) const
{
    QWidget* pane = paneView(item);
    return pane && isViewLoaded()
               ? static_cast<QSplitter*>(const_cast<SplitViewController*>(this)->view())->indexOf(pane)
               : -1;
}

void SplitViewController::applyMinimumThickness(SplitViewItem& item)
{
    if (QWidget* pane = paneView(item); pane && !item.isAnimating())
        pane->setMinimumWidth(int(std::ceil(item.minimumThickness())));
}

void SplitViewController::applyCollapsed(SplitViewItem& item)
{
    QWidget* pane = paneView(item);
    if (!pane)
        return;
    if (item.isCollapsed() && pane->isVisibleTo(splitter()))
        item.m_expandedThickness = pane->width();
    pane->setVisible(!item.isCollapsed());
}

void SplitViewController::animateCollapsed(SplitViewItem& item, std::function<void()> completion)
{
    // A toggle during an animation starts from where the running one has got to, and whoever waited for
    // that one hears when this one ends.
    for (auto* running : item.findChildren<QVariantAnimation*>())
        running->stop();
    if (completion)
        item.m_completions.push_back(std::move(completion));
    const auto settled = [&item] {
        for (const std::function<void()>& waiting : std::exchange(item.m_completions, {}))
            waiting();
    };
    QSplitter* panes = splitter();
    QWidget* pane = paneView(item);
    const int index = indexOf(item);
    // The first plain pane gives and takes the room.
    int filler = -1;
    for (const auto& other : m_items) {
        if (other->behavior() == SplitViewItem::Behavior::Default && paneView(*other) &&
            !other->isCollapsed()) {
            filler = panes->indexOf(paneView(*other));
            break;
        }
    }
    if (!pane || index < 0) {
        settled();
        return;
    }
    const bool collapsing = item.isCollapsed();
    item.m_animating = true;
    pane->setMinimumWidth(0);
    QList<int> start = panes->sizes();
    if (collapsing) {
        item.m_expandedThickness = start[index];
    } else {
        pane->show();
        start = panes->sizes();
        if (filler >= 0)
            start[filler] += start[index];
        start[index] = 0;
        panes->setSizes(start);
    }
    QList<int> end = start;
    const int expanded = std::max(item.m_expandedThickness, int(std::ceil(item.minimumThickness())));
    end[index] = collapsing ? 0 : expanded;
    if (filler >= 0)
        end[filler] = std::max(0, start[filler] + start[index] - end[index]);

    auto* animation = new QVariantAnimation(&item);
    animation->setDuration(SplitViewItem::animationDurationMilliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    QPointer<QSplitter> guardedSplitter = panes;
    QObject::connect(animation, &QVariantAnimation::valueChanged, panes, [=](const QVariant& value) {
        const double t = value.toDouble();
        QList<int> sizes = start;
        for (qsizetype i = 0; i < sizes.size(); ++i)
            sizes[i] = int(std::lround(start[i] + (end[i] - start[i]) * t));
        guardedSplitter->setSizes(sizes);
    });
    QObject::connect(animation, &QVariantAnimation::finished, &item,
                     [this, &item, pane = QPointer<QWidget>(pane), settled] {
                         item.m_animating = false;
                         if (pane) {
                             if (item.isCollapsed())
                                 pane->hide();
                             applyMinimumThickness(item);
                         }
                         settled();
                     });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace pelorama::app
