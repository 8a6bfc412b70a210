#include "ledgerline/widgets/PropertyTableCellView.h"

#include "ledgerline/core/Property.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Shared/Observer.h"

namespace ledgerline {

PropertyTableCellView::PropertyTableCellView(QWidget* parent)
    : QWidget(parent)
{}

PropertyTableCellView::~PropertyTableCellView()
{
    setInGesture(false);
}

void PropertyTableCellView::setObjectValue(Property* property)
{
    setInGesture(false);
    if (m_objectValue) {
        commitEditing();
    }
    m_observers.clear();
    m_bindings.clear();
    m_objectValue = property;
    objectValueChanged(property);
}

void PropertyTableCellView::objectValueChanged(Property*) {}

void PropertyTableCellView::follow(QObject* object, const QString& keyPath,
                                   std::function<void(const QVariant& value)> callback)
{
    m_observers.push_back(std::make_unique<tessaline::Observer>(object, keyPath, std::move(callback)));
}

void PropertyTableCellView::keepBinding(std::unique_ptr<tessaline::Binding> binding)
{
    m_bindings.push_back(std::move(binding));
}

void PropertyTableCellView::setInGesture(bool inGesture)
{
    if (m_inGesture == inGesture) {
        return;
    }
    m_inGesture = inGesture;
    if (inGesture) {
        emit gestureStarted();
    } else {
        emit gestureFinished();
    }
}

} // namespace ledgerline
