// The window program on a Wayland compositor and no X server: weston's headless back end, the
// program on Qt's wayland platform against the simulated mouse, its transfer trace read back.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>


#include "DisplayServers.h"
#include "platform/ProcessRunner.h"
#include "support/ProgramDirCopy.h"
#include "support/FileContents.h"
#include "support/TempDir.h"

namespace zentro::test {
namespace {

template <typename F> bool WaitFor(F done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

TEST(WaylandSmokeTest, WindowRunsUnderWestonWithoutAnXServer)
{
    if (!ProgramInPath("weston"))
        GTEST_SKIP() << "weston is not installed";
    CTempDir dir("wayland");
    ASSERT_FALSE(dir.Path().empty());
    const std::string runtime = dir.Path() + "/runtime";
    const std::string program = dir.Path() + "/program";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(runtime)));
    QFile::setPermissions(QString::fromStdString(runtime),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The window keeps its files beside its executable: it runs on a copy.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(program)));
    CopyProgramDir(QStringLiteral(ZENTRO_PROGRAM_DIR), QString::fromStdString(program));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTRO_MOUSE_PROGRAM),
                            QString::fromStdString(program + "/zentro-mouse")));

    // A compositor of the test's own, with nothing of the caller's session.
    const std::string socket = "zentro-test-wayland";
    const std::string path = "PATH=" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "");
    const std::vector<std::string> session = {"env",
                                              "-i",
                                              path,
                                              "HOME=" + dir.Path(),
                                              "XDG_RUNTIME_DIR=" + runtime,
                                              "XDG_CONFIG_HOME=" + dir.Path() + "/config"};
    std::vector<std::string> westonArgv = session;
    westonArgv.insert(westonArgv.end(), {"weston", "--backend=headless-backend.so",
                                         "--socket=" + socket, "--idle-time=0", "--no-config"});
    CChildProcess weston;
    const std::string westonLog = dir.Path() + "/weston.log";
    ASSERT_TRUE(weston.Start(westonArgv, westonLog));
    const std::string socketPath = runtime + "/" + socket;
    if (!WaitFor(
            [&] {
                return QFileInfo::exists(QString::fromStdString(socketPath)) || !weston.Running();
            },
            30000) ||
        !weston.Running())
        GTEST_SKIP() << "weston cannot run here: " << ReadFile(westonLog);

    const std::string trace = dir.Path() + "/trace.txt";
    const std::string windowLog = dir.Path() + "/window.log";
    std::vector<std::string> windowArgv = session;
    windowArgv.insert(windowArgv.end(), {"WAYLAND_DISPLAY=" + socket, "QT_QPA_PLATFORM=wayland",
                                         "WAYLAND_DEBUG=1", "ZENTRO_DEVICE=simulated",
                                         "ZENTRO_TRACE=" + trace, program + "/zentro-mouse"});
    CChildProcess window;
    ASSERT_TRUE(window.Start(windowArgv, windowLog));
    // The connect exchange: the firmware version asked and answered, the options read.
    const bool connected = WaitFor(
        [&] {
            const std::string text = ReadFile(trace);
            const bool exchanged = text.find("get-feature 00 80 01 02") != std::string::npos &&
                                   text.find(" 00 83 ") != std::string::npos;
            // The window is shown once the mouse has answered.
            const bool shown = ReadFile(windowLog).find("xdg_toplevel") != std::string::npos;
            return (exchanged && shown) || !window.Running();
        },
        90000);
    const bool running = window.Running();
    window.Stop();
    weston.Stop();
    const std::string text = ReadFile(trace);
    const std::string log = ReadFile(windowLog);
    ASSERT_TRUE(connected && running) << "window log:\n" << log.substr(0, 4000);
    EXPECT_EQ(text.rfind("set-feature 00 80 00 00 00 00 00 00 7f\n", 0), 0u) << text;
    EXPECT_NE(text.find("get-feature 00 80 01 02 00 00 00 00 7c\n"), std::string::npos) << text;
    // It ran as a Wayland client with a top-level window of its own, and no X server was there.
    EXPECT_NE(log.find("xdg_toplevel"), std::string::npos) << log.substr(0, 4000);
    EXPECT_EQ(log.find("could not connect to display"), std::string::npos);
}

} // namespace zentro::test
