#include "ledgerline/widgets/PropertyTableViewController.h"

#include "ledgerline/core/Property.h"
#include "ledgerline/core/PropertyEditable.h"
#include "ledgerline/widgets/PropertyEditorRegistry.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableCellView.h"
#include "tessaline/Tessaline/InspectorSectionView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace ledgerline {
namespace {

QWidget* makeSectionHeader(const QString& title, QWidget* parent)
{
    auto* header = new tessaline::InspectorSectionView(parent);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 10, 0, 5);
    auto* label = new QLabel(title, header);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    layout->addWidget(label);
    return header;
}

} // namespace

PropertyTableViewController::PropertyTableViewController(QObject* parent)
    : PropertyTableViewController(std::make_shared<const PropertyEditorRegistry>(), parent)
{}

PropertyTableViewController::PropertyTableViewController(
    std::shared_ptr<const PropertyEditorRegistry> editors, QObject* parent)
    : appkit::ViewController(parent)
    , m_editors(std::move(editors))
{}

PropertyTableViewController::~PropertyTableViewController()
{
    disconnect(m_objectDestroyed);
    // The rows let go of their properties before the collection goes.
    releaseRows();
}

void PropertyTableViewController::setObject(PropertyEditable* object)
{
    disconnect(m_objectDestroyed);
    m_object = object;
    m_objectLifetime = dynamic_cast<QObject*>(object);
    if (m_objectLifetime) {
        m_objectDestroyed =
            connect(m_objectLifetime, &QObject::destroyed, this, [this] { setObject(nullptr); });
    }
    auto collection = object ? object->makePropertyCollection() : nullptr;
    releaseRows();
    m_collection = std::move(collection);
    if (isViewLoaded()) {
        reloadRows();
    }
}

QStringList PropertyTableViewController::sectionTitles() const
{
    QStringList titles;
    for (const QWidget* header : m_headers) {
        titles.append(header->findChild<QLabel*>()->text());
    }
    return titles;
}

PropertyRowView* PropertyTableViewController::rowView(const Property* property) const
{
    for (PropertyRowView* row : m_rows) {
        if (row->objectValue() == property) {
            return row;
        }
    }
    return nullptr;
}

void PropertyTableViewController::releaseRows()
{
    if (!m_content) {
        // The rows went with the view.
        m_rows.clear();
        m_headers.clear();
    }
    for (PropertyRowView* row : m_rows) {
        row->setObjectValue(nullptr);
    }
}

void PropertyTableViewController::updateSectionVisibility()
{
    if (!m_collection || m_headers.size() != m_collection->groups().size()) {
        return;
    }
    for (std::size_t index = 0; index < m_headers.size(); ++index) {
        const auto& properties = m_collection->groups()[index]->properties();
        const bool anyShown = std::any_of(properties.begin(), properties.end(),
                                          [](const auto& property) { return !property->isHidden(); });
        m_headers[index]->setHidden(!anyShown);
    }
}

void PropertyTableViewController::loadView()
{
    m_rows.clear();
    m_headers.clear();
    auto* scrollArea = new QScrollArea;
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setFrameShape(QFrame::NoFrame);
    m_content = new QWidget;
    m_layout = new QVBoxLayout(m_content);
    m_layout->setContentsMargins(12, 0, 12, 12);
    m_layout->setSpacing(0);
    scrollArea->setWidget(m_content);
    setView(scrollArea);
}

void PropertyTableViewController::viewDidLoad()
{
    reloadRows();
}

void PropertyTableViewController::reloadRows()
{
    if (!m_content) {
        return;
    }
    // Rows of the last object wait here to show properties with the same editor.
    releaseRows();
    for (const QMetaObject::Connection& connection : m_hiddenConnections) {
        disconnect(connection);
    }
    m_hiddenConnections.clear();
    std::multimap<QString, PropertyRowView*> reusable;
    for (PropertyRowView* row : m_rows) {
        reusable.emplace(row->editorName(), row);
    }
    m_rows.clear();
    while (QLayoutItem* item = m_layout->takeAt(0)) {
        delete item;
    }
    for (QWidget* header : m_headers) {
        delete header;
    }
    m_headers.clear();

    if (m_collection) {
        for (const auto& group : m_collection->groups()) {
            QWidget* header = makeSectionHeader(group->name(), m_content);
            m_headers.push_back(header);
            m_layout->addWidget(header);
            for (const auto& property : group->properties()) {
                const QString editorName = m_editors->resolvedEditorName(*property);
                PropertyRowView* row = nullptr;
                if (const auto found = reusable.find(editorName); found != reusable.end()) {
                    row = found->second;
                    reusable.erase(found);
                } else {
                    row = new PropertyRowView(editorName, m_editors->makeCellView(*property), m_content);
                    connect(row->cellView(), &PropertyTableCellView::gestureStarted, this,
                            &PropertyTableViewController::gestureStarted);
                    connect(row->cellView(), &PropertyTableCellView::gestureFinished, this,
                            &PropertyTableViewController::gestureFinished);
                }
                m_layout->addWidget(row);
                m_rows.push_back(row);
                row->setObjectValue(property.get());
                m_hiddenConnections.push_back(connect(property.get(), &Property::hiddenChanged, this,
                                                      &PropertyTableViewController::updateSectionVisibility));
            }
        }
    }
    m_layout->addStretch(1);
    updateSectionVisibility();
    for (const auto& [name, row] : reusable) {
        delete row;
    }

    int labelWidth = 0;
    for (PropertyRowView* row : m_rows) {
        if (!row->objectValue()->name().isEmpty()) {
            labelWidth = std::max(labelWidth, row->labelTextWidth());
        }
    }
    for (PropertyRowView* row : m_rows) {
        row->setLabelWidth(labelWidth);
    }
}

} // namespace ledgerline
