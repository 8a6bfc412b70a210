#include "HeadlessTests.h"
#include "app/AppDelegate.h"
#include "model/rendering/RenderResources.h"
#include "tessaline/Tessaline/Application.h"

#include <memory>

// Widget tests need the application object; settings go to a folder of their own.
int main(int argc, char** argv)
{
    const testsupport::IsolatedSettings settings(QStringLiteral("AppTest"));
    return testsupport::runHeadlessTests<tessaline::Application>(argc, argv, [] {
        pelorama::app::AppDelegate::initializeClass();
        return std::make_unique<pelorama::model::RenderResources::Program>();
    });
}
