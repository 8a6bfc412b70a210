#include "HeadlessTests.h"
#include "model/rendering/RenderResources.h"

#include <QGuiApplication>
#include <memory>

// Text drawing needs a GUI application.
int main(int argc, char** argv)
{
    return testsupport::runHeadlessTests<QGuiApplication>(
        argc, argv, [] { return std::make_unique<pelorama::model::RenderResources::Program>(); });
}
