// One running copy: the lock, the restore request of a later start, and the window it raises.

#include "support/MainWindowFixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/MouseConfigurationApp.h"
#include "app/SingleInstance.h"
#include "device/DeviceLink.h"

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

using ApplicationStart = MainWindowFixture;

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

    CMouseConfigurationApp first(options);
    ASSERT_TRUE(first.InitInstance());
    ASSERT_NE(first.MainWindow(), nullptr);
    EXPECT_FALSE(first.MainWindow()->isVisible());

    CMouseConfigurationApp second(options);
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.MainWindow(), nullptr) << "no window of its own";
    EXPECT_TRUE(DeliverUntil([&] { return first.MainWindow()->isVisible(); }));
}

} // namespace
} // namespace zentro::test
