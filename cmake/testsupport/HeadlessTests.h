#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <type_traits>

// What the main functions of the test programs share: they run headless in an application object of the
// kind their library needs, and widget tests keep their settings out of the user's.
namespace testsupport {

// The settings of a test program, in a folder that lives as long as this object. Each test runs in a
// process of its own, in parallel with others, so settings stay in the process. Made before the
// application object.
class IsolatedSettings
{
public:
    explicit IsolatedSettings(const QString& applicationName)
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuilloryTests"));
        QCoreApplication::setApplicationName(applicationName);
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    }

private:
    QTemporaryDir m_folder;
};

// Runs every test in an Application (QGuiApplication, QApplication or one derived from them) on the
// offscreen platform unless another is chosen; setUp runs once the application exists, and what it
// returns, if anything, is kept until the tests have run (as a program keeps what it makes at start-up).
template <typename Application, typename SetUp> int runHeadlessTests(int argc, char** argv, SetUp setUp)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    if constexpr (std::is_void_v<decltype(setUp())>) {
        setUp();
        testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    } else {
        const auto kept = setUp();
        testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }
}

template <typename Application> int runHeadlessTests(int argc, char** argv)
{
    return runHeadlessTests<Application>(argc, argv, [] {});
}

// An Application named applicationName (unless another environment made one already), made before the
// first test of a program that uses the test framework's own main function and gone after the last.
template <typename Application> class ApplicationEnvironment : public testing::Environment
{
public:
    explicit ApplicationEnvironment(const char* applicationName)
        : m_name(applicationName)
    {}

    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<Application>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    QByteArray m_name;
    int m_argc = 1;
    char* m_argv[2] = {m_name.data(), nullptr};
    std::unique_ptr<Application> m_application;
};

// For a program that needs timers and the event loop but no window system.
using CoreApplicationEnvironment = ApplicationEnvironment<QCoreApplication>;

} // namespace testsupport
