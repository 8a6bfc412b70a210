#include "app/AppDelegate.h"
#include "tessaline/Tessaline/Application.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests need the application object; settings go to a folder of their own.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("QuilloryTests"));
    QCoreApplication::setApplicationName(QStringLiteral("AppTest"));
    QStandardPaths::setTestModeEnabled(true);
    // Each test runs in a process of its own, in parallel with others: settings stay in the process.
    const QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    tessaline::Application application(argc, argv);
    pelorama::app::AppDelegate::initializeClass();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
