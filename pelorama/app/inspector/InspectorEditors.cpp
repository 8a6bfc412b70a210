#include "inspector/InspectorEditors.h"

#include "inspector/AnglePropertyTableCellView.h"
#include "inspector/StockGradientPropertyTableCellView.h"
#include "inspector/WarningPropertyTableCellView.h"
#include "ledgerline/PropertyEditorRegistry.h"

namespace pelorama::app {

void registerInspectorEditors()
{
    using ledgerline::PropertyEditorRegistry;
    PropertyEditorRegistry::registerEditor(QStringLiteral("StockGradientPropertyTableCellView"), [] {
        return std::make_unique<StockGradientPropertyTableCellView>();
    });
    PropertyEditorRegistry::registerEditor(QStringLiteral("AnglePropertyTableCellView"),
                                           [] { return std::make_unique<AnglePropertyTableCellView>(); });
    PropertyEditorRegistry::registerEditor(QStringLiteral("WarningPropertyTableCellView"),
                                           [] { return std::make_unique<WarningPropertyTableCellView>(); });
}

} // namespace pelorama::app
