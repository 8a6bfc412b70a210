#include "tessaline/Shared/App.h"

#include "foundation/BundleInfo.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/utsname.h>

using foundation::BundleInfo;
using tessaline::App;

namespace {

// Points the XDG data directory somewhere else for one test.
class DataHome
{
public:
    explicit DataHome(const QString& path)
        : m_previous(qgetenv("XDG_DATA_HOME"))
        , m_hadPrevious(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", path.toUtf8());
    }
    ~DataHome()
    {
        if (m_hadPrevious) {
            qputenv("XDG_DATA_HOME", m_previous);
        } else {
            qunsetenv("XDG_DATA_HOME");
        }
    }

private:
    QByteArray m_previous;
    bool m_hadPrevious;
};

} // namespace

TEST(TessalineTest, TheAppsNameFallsFromDisplayNameToNameToEmpty)
{
    {
        const BundleInfo::Override bundle({{BundleInfo::displayNameKey, "A"}, {BundleInfo::nameKey, "B"}});
        EXPECT_EQ(App::name(), "A");
    }
    {
        const BundleInfo::Override bundle({{BundleInfo::nameKey, "B"}});
        EXPECT_EQ(App::name(), "B");
    }
    {
        // An entry that is no text counts as missing.
        const BundleInfo::Override bundle({{BundleInfo::displayNameKey, 3}, {BundleInfo::nameKey, "B"}});
        EXPECT_EQ(App::name(), "B");
    }
    const BundleInfo::Override bundle({});
    EXPECT_EQ(App::name(), "");
    EXPECT_EQ(App::copyright(), "");
}

TEST(TessalineTest, TheAppsVersionSkipsAnEmptyShortVersion)
{
    {
        const BundleInfo::Override bundle(
            {{BundleInfo::shortVersionKey, "2.1"}, {BundleInfo::versionKey, "77"}});
        EXPECT_EQ(App::version(), "2.1");
    }
    {
        const BundleInfo::Override bundle(
            {{BundleInfo::shortVersionKey, ""}, {BundleInfo::versionKey, "77"}});
        EXPECT_EQ(App::version(), "77");
    }
    const BundleInfo::Override bundle({{BundleInfo::shortVersionKey, ""}});
    EXPECT_EQ(App::version(), "0");
}

TEST(TessalineTest, TheAppDescribesTheMachineAndItsSystem)
{
    utsname system{};
    ASSERT_EQ(uname(&system), 0);
    EXPECT_EQ(App::deviceModel(), QString::fromLatin1(system.machine));
    EXPECT_EQ(App::platform(), "Linux");
    const QString operatingSystem = App::operatingSystem();
    EXPECT_TRUE(operatingSystem.startsWith("Linux "));
    EXPECT_TRUE(operatingSystem.endsWith(QString::fromLatin1(system.release)));
    if (QFile::exists("/etc/os-release")) {
        // Qt reads the same file for its own pretty name.
        EXPECT_TRUE(operatingSystem.contains(QSysInfo::prettyProductName())) << operatingSystem.toStdString();
    }
}

TEST(TessalineTest, TheSupportFolderLivesInTheDataDirectoryAndIsMadeOnce)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const DataHome dataHome(home.path());
    const auto first = App::applicationSupportSubdirectory();
    const auto second = App::applicationSupportSubdirectory();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->toLocalFile(), home.path() + "/com.quillory.Pelorama/");
    EXPECT_TRUE(QFileInfo(first->toLocalFile()).isDir());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"com.quillory.Pelorama"});

    const BundleInfo::Override anonymous({});
    EXPECT_EQ(App::applicationSupportSubdirectory()->toLocalFile(), home.path() + "/com.quillory.test/");
}

TEST(TessalineTest, AnUnusableDataDirectoryIsReportedAndGivesNoFolder)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QFile blocker(home.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const DataHome dataHome(blocker.fileName());
    testing::internal::CaptureStdout();
    const auto folder = App::applicationSupportSubdirectory();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(folder.has_value());
    EXPECT_EQ(output.rfind("Error locating application support subdirectory: ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
}
