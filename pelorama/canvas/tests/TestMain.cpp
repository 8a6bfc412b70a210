#include "HeadlessTests.h"
#include "model/rendering/RenderResources.h"

#include <QApplication>
#include <memory>

// Views need a widget application.
int main(int argc, char** argv)
{
    return testsupport::runHeadlessTests<QApplication>(
        argc, argv, [] { return std::make_unique<pelorama::model::RenderResources::Program>(); });
}
