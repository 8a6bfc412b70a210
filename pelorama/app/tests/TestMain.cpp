#include "app/AppDelegate.h"

#include "tessaline/Tessaline/Application.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

// Widget tests need the application object; settings go to a test location of their own.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("QuilloryTests"));
    QCoreApplication::setApplicationName(QStringLiteral("AppTest"));
    QStandardPaths::setTestModeEnabled(true);
    tessaline::Application application(argc, argv);
    pelorama::app::AppDelegate::initializeClass();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
