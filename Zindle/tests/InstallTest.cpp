// What `cmake --install` puts in place, in a fresh prefix: the desktop entry that takes
// zindle:// links with its icon, and programs that run from there.
#include "Mossbell/tests/QStringPrinter.h"
#include "platform/foundation/tests/EventLoopWait.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using ::testing::HasSubstr;
using namespace std::chrono_literals;

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        QProcess install;
        install.start(CMAKE_COMMAND, {"--install", ZINDLE_BUILD_DIR, "--prefix", prefix->path()});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() { delete prefix; }

    static QString installed(const QString& path) { return prefix->filePath(path); }

    static QTemporaryDir* prefix;
};

QTemporaryDir* InstallTest::prefix = nullptr;

TEST_F(InstallTest, ADesktopEntryTakesZindleLinks)
{
    QFile entry(installed("share/applications/zindle.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    const QStringList lines = text.split('\n');
    EXPECT_EQ(lines.first(), "[Desktop Entry]");
    for (const QString& line : {QString("Type=Application"), QString("Name=Zindle"),
                               QString("MimeType=x-scheme-handler/zindle;"), QString("Icon=zindle"),
                               "Exec=" + installed("bin/zindle") + " %u"})
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n" << text.toStdString();

    const QImage icon(installed("share/icons/hicolor/256x256/apps/zindle.png"));
    EXPECT_EQ(icon.size(), QSize(256, 256));
    EXPECT_TRUE(QFile::exists(installed("bin/zindle")));
    EXPECT_TRUE(QFile::exists(installed("bin/zindle-validator")));
}

TEST_F(InstallTest, TheInstalledProgramsRun)
{
    // The host tool validates the installed effect through the installed validator.
    QProcess validate;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("ZINDLE_COMPONENT_PATH");
    validate.setProcessEnvironment(environment);
    validate.start(installed("bin/zindle-host"), {"validate"});
    ASSERT_TRUE(validate.waitForFinished(60000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardError().toStdString();
    EXPECT_THAT(validate.readAllStandardOutput().toStdString(), HasSubstr("Verdict: PASSED"));

    // The application starts from the prefix (its bundles and fonts found there) and stays.
    QTemporaryDir runtime;
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess app;
    app.setProcessEnvironment(environment);
    app.start(installed("bin/zindle"), {});
    ASSERT_TRUE(app.waitForStarted(5000));
    EXPECT_FALSE(app.waitForFinished(1500)) << app.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(runtime.filePath("zindle.socket")));
    app.kill();
    app.waitForFinished(5000);
}

} // namespace
