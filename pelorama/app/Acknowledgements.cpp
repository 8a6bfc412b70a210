#include "app/Acknowledgements.h"

#include "foundation/Fatal.h"

#include <QFile>

// Resources of a static library are initialised by name, outside every namespace.
static void initializeApplicationResources()
{
    Q_INIT_RESOURCE(app);
}

namespace pelorama::app {

const QString& acknowledgementsText()
{
    static const QString text = [] {
        initializeApplicationResources();
        QFile file(QStringLiteral(":/app/Acknowledgements.txt"));
        if (!file.open(QIODevice::ReadOnly))
            foundation::fatal("The acknowledgements are missing from the application's resources");
        return QString::fromUtf8(file.readAll());
    }();
    return text;
}

} // namespace pelorama::app
