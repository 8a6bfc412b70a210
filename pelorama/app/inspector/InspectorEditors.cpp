#include "inspector/InspectorEditors.h"

#include "inspector/AnglePropertyTableCellView.h"
#include "inspector/StockGradientPropertyTableCellView.h"
#include "inspector/WarningPropertyTableCellView.h"

namespace pelorama::app {

std::shared_ptr<const ledgerline::PropertyEditorRegistry> inspectorEditors()
{
    auto editors = std::make_shared<ledgerline::PropertyEditorRegistry>();
    editors->registerEditor(QStringLiteral("StockGradientPropertyTableCellView"),
                            [] { return std::make_unique<StockGradientPropertyTableCellView>(); });
    editors->registerEditor(QStringLiteral("AnglePropertyTableCellView"),
                            [] { return std::make_unique<AnglePropertyTableCellView>(); });
    editors->registerEditor(QStringLiteral("WarningPropertyTableCellView"),
                            [] { return std::make_unique<WarningPropertyTableCellView>(); });
    return editors;
}

} // namespace pelorama::app
