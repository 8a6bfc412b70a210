#include "HeadlessTests.h"
#include "model/rendering/RenderResources.h"

#include <QApplication>
#include <memory>

// Widget tests need the application object; settings go to a folder of their own.
int main(int argc, char** argv)
{
    const testsupport::IsolatedSettings settings(QStringLiteral("TemplatePickerTest"));
    return testsupport::runHeadlessTests<QApplication>(
        argc, argv, [] { return std::make_unique<pelorama::model::RenderResources::Program>(); });
}
