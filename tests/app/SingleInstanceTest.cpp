// One running copy: the lock, the restore request of a later start, and the window it raises.

#include "support/MainWindowFixture.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/MouseConfigurationApp.h"
#include "app/SingleInstance.h"
#include "device/DeviceLink.h"
#include "platform/ExeDir.h"
#include "platform/InstanceSocket.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"

#include <algorithm>
#include <atomic>
#include <sstream>
#include <thread>

namespace zentro::test {
namespace {

bool DeliverUntil(const std::function<bool()>& done)
{
    // The socket hand-over goes through the event loop; bounded so a fault cannot hang.
    return QTest::qWaitFor([&] {
        QCoreApplication::sendPostedEvents();
        return done();
    });
}

TEST(SingleInstance, SecondCopyIsRefusedAndAsksTheFirstToRestore)
{
    QTemporaryDir dir;
    CSingleInstance first(dir.path());
    ASSERT_TRUE(first.Acquire());
    QSignalSpy restore(&first, &CSingleInstance::restoreRequested);

    CSingleInstance second(dir.path());
    EXPECT_FALSE(second.Acquire());
    EXPECT_FALSE(second.IsOwner());
    EXPECT_TRUE(DeliverUntil([&] { return restore.count() > 0; }));
    EXPECT_EQ(restore.count(), 1);
}

TEST(SingleInstance, ReleasedLockLetsTheNextCopyRun)
{
    QTemporaryDir dir;
    {
        CSingleInstance first(dir.path());
        ASSERT_TRUE(first.Acquire());
    }
    CSingleInstance next(dir.path());
    EXPECT_TRUE(next.Acquire());
    EXPECT_EQ(next.ServerName(), dir.path() + "/ZENTRO_Mutex");
}

class ApplicationStart : public MainWindowFixture {
protected:
    // The program started against this fixture's mouse, tray and dialogs.
    CMouseConfigurationApp::Options AppOptions(const QString& instanceDir, std::ostream* console)
    {
        CMouseConfigurationApp::Options options;
        options.transport = m_transport.get();
        options.watcher = m_watcher.get();
        options.tray = &m_tray;
        options.ui = m_services.Bundle();
        options.instanceDirectory = instanceDir;
        options.console = console;
        return options;
    }
    // A second profile, "Profile 2", in the list; returns str.ini's path.
    std::string ListTwoProfiles()
    {
        const std::string listFile = ProgramDir().toStdString() + "str.ini";
        WritePrivateProfileString("Profile", "ItemCount", "2", listFile);
        WritePrivateProfileString("Profile", "Item1", "Profile 2", listFile);
        return listFile;
    }
};

TEST_F(ApplicationStart, SecondStartShowsTheHiddenWindowOfTheFirst)
{
    QTemporaryDir instanceDir;
    m_mouse.Unplug(); // the first copy waits invisibly
    CMouseConfigurationApp::Options options;
    options.transport = m_transport.get();
    options.watcher = m_watcher.get();
    options.tray = &m_tray;
    options.ui = m_services.Bundle();
    options.instanceDirectory = instanceDir.path();
    std::ostringstream console;
    options.console = &console;

    CMouseConfigurationApp first(options);
    ASSERT_TRUE(first.InitInstance());
    ASSERT_NE(first.MainWindow(), nullptr);
    EXPECT_FALSE(first.MainWindow()->isVisible());
    // Said once, in one line, with the way to end it.
    const std::string said = console.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("waiting without a window until one is plugged in (Ctrl+C or kill " +
                        std::to_string(QCoreApplication::applicationPid())),
              std::string::npos)
        << said;

    CMouseConfigurationApp second(options);
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.MainWindow(), nullptr) << "no window of its own";
    EXPECT_TRUE(DeliverUntil([&] { return first.MainWindow()->isVisible(); }));
}

TEST_F(ApplicationStart, ZentroctlsProfileSelectIsDoneByTheRunningWindow)
{
    QTemporaryDir instanceDir;
    const std::string listFile = ListTwoProfiles();
    std::ostringstream console;
    CMouseConfigurationApp app(AppOptions(instanceDir.path(), &console));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(console.str(), "") << "the mouse is there: the window shows, nothing to say";
    ClearTrace();

    // zentroctl's end of the socket, on a thread of its own since it waits for the answer.
    auto ask = [&](int profile, bool apply, const std::string& folder) {
        ProfileSelectRequest request{profile, apply, folder};
        std::string answer;
        std::atomic<bool> done{false};
        std::thread client([&] {
            HandOverToWindow(SingleInstanceSocketPath(instanceDir.path().toStdString()),
                             FormatProfileSelectRequest(request), 20000, &answer);
            done = true;
        });
        EXPECT_TRUE(DeliverUntil([&] { return done.load(); }));
        client.join();
        return answer;
    };

    EXPECT_EQ(ask(1, true, GetExeDir()), "ok");
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Profile", "CurProfileName", "", listFile), "Profile 2");
    EXPECT_EQ(CurrentProfileNumber, 1);
    const std::string trace = Trace();
    EXPECT_NE(trace.find("set-feature 00 01"), std::string::npos) << "the apply went out";
    EXPECT_EQ(trace.rfind("set-feature 00 0d"), trace.rfind("set-feature")) << trace;
    EXPECT_EQ(m_pointer.calls.empty(), false);

    ClearTrace();
    EXPECT_EQ(ask(5, false, GetExeDir()), "no profile 5 (the profiles are 0 to 1)");
    EXPECT_EQ(ask(0, false, "/some/other/folder/"), GetExeDir());
    EXPECT_EQ(CurrentProfileNumber, 1);
    EXPECT_EQ(Trace(), "");
}

TEST_F(ApplicationStart, AnInstalledProgramWithoutAWritableProfileFolderSaysSoAndEnds)
{
    // Installed: bin/ without program files, the defaults in share/zentro-mouse/, and a
    // configuration home where no folder can be made (a file is in the way).
    QTemporaryDir installed;
    QTemporaryDir instanceDir;
    const QString root = installed.path();
    QDir().mkpath(root + "/bin");
    QDir().mkpath(root + "/share/zentro-mouse");
    QFile::copy(ProgramDir() + "str.ini", root + "/share/zentro-mouse/str.ini");
    QFile blocker(root + "/config");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    SetExeDirOverride((root + "/bin").toStdString());

    CMouseConfigurationApp::Options options;
    options.transport = m_transport.get();
    options.tray = &m_tray;
    options.ui = m_services.Bundle();
    options.instanceDirectory = instanceDir.path();
    CMouseConfigurationApp app(options);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.MainWindow(), nullptr) << "no start without profiles";
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_TRUE(m_messageBox.asked[0].text.contains("cannot create the profile folder " + root +
                                                    "/config/zentro-mouse"))
        << m_messageBox.asked[0].text.toStdString();
    EXPECT_EQ(PacketCodes().size(), 0u) << "the mouse was not touched";
    EXPECT_FALSE(app.Instance()) << "the single-instance lock is released";

    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
    SetExeDirOverride(ProgramDir().toStdString());
}

TEST_F(ApplicationStart, ARequestDuringADialogWaitsForItAndIsAnsweredAfterTheWork)
{
    QTemporaryDir instanceDir;
    const std::string listFile = ListTwoProfiles();
    std::ostringstream console;
    CMouseConfigurationApp app(AppOptions(instanceDir.path(), &console));
    ASSERT_TRUE(app.InitInstance());

    // A modal dialog of the window is open (a file dialog, the colour chooser, a question).
    QDialog modal(app.MainWindow());
    modal.setModal(true);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);

    std::string answer;
    std::atomic<bool> done{false};
    std::thread client([&] {
        ProfileSelectRequest request{1, false, GetExeDir()};
        HandOverToWindow(SingleInstanceSocketPath(instanceDir.path().toStdString()),
                         FormatProfileSelectRequest(request), 20000, &answer);
        done = true;
    });
    // Not inside the dialog's loop: nothing happens, and nothing is answered yet.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 600)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(done.load()) << answer;
    EXPECT_EQ(CurrentProfileNumber, 0);

    modal.close();
    EXPECT_TRUE(DeliverUntil([&] { return done.load(); }));
    client.join();
    EXPECT_EQ(answer, "ok");
    EXPECT_EQ(CurrentProfileNumber, 1);
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Profile", "CurProfileName", "", listFile), "Profile 2");
}

} // namespace
} // namespace zentro::test
