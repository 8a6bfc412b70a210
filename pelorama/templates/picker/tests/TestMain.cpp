#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Widget tests need the application object; settings go to a test location of their own.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("QuilloryTests"));
    QCoreApplication::setApplicationName(QStringLiteral("TemplatePickerTest"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
