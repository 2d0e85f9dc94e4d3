// The pointer settings on KDE Plasma, against a real session bus (a dbus-daemon of the test's
// own) with a stand-in for KWin's input devices, into a temporary XDG_CONFIG_HOME.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QTest>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "DisplayServers.h"
#include "controls/BitmapBtn.h"
#include "platform/DesktopPointerSettings.h"
#include "platform/KConfigFile.h"
#include "platform/PointerSettingsWorker.h"
#include "settings/PointerSettings.h"
#include "support/EnvGuard.h"
#include "support/MainWindowFixture.h"
#include "support/TempDir.h"

namespace zentro::test {

// One input device as KWin offers it on the bus.
class CKWinInputDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString sysName READ sysName CONSTANT)
    Q_PROPERTY(bool pointer READ pointer CONSTANT)
    Q_PROPERTY(bool keyboard READ keyboard CONSTANT)
    Q_PROPERTY(quint32 vendor READ vendor CONSTANT)
    Q_PROPERTY(quint32 product READ product CONSTANT)
    Q_PROPERTY(qreal pointerAcceleration READ pointerAcceleration WRITE setPointerAcceleration)
    Q_PROPERTY(bool pointerAccelerationProfileFlat READ flat WRITE setFlat)
    Q_PROPERTY(bool pointerAccelerationProfileAdaptive READ adaptive WRITE setAdaptive)
public:
    CKWinInputDevice(QString sysName, QString name, bool pointer, quint32 vendor, quint32 product)
        : m_sysName(std::move(sysName)), m_name(std::move(name)), m_pointer(pointer),
          m_vendor(vendor), m_product(product)
    {
    }
    QString name() const { return m_name; }
    QString sysName() const { return m_sysName; }
    bool pointer() const { return m_pointer; }
    bool keyboard() const { return !m_pointer; }
    quint32 vendor() const { return m_vendor; }
    quint32 product() const { return m_product; }
    qreal pointerAcceleration() const
    {
        QMutexLocker lock(&m_mutex);
        return m_acceleration;
    }
    void setPointerAcceleration(qreal value)
    {
        QMutexLocker lock(&m_mutex);
        m_acceleration = value;
    }
    bool flat() const { return m_flat; }
    void setFlat(bool on) { m_flat = on; }
    bool adaptive() const { return m_adaptive; }
    void setAdaptive(bool on) { m_adaptive = on; }

private:
    QString m_sysName, m_name;
    bool m_pointer;
    quint32 m_vendor, m_product;
    mutable QMutex m_mutex;
    qreal m_acceleration = 0.0;
    std::atomic<bool> m_flat{false};
    std::atomic<bool> m_adaptive{true};
};

class CKWinInputDeviceManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames READ devicesSysNames CONSTANT)
public:
    QStringList devicesSysNames() const { return names; }
    QStringList names;
};

// Counts KGlobalSettings' change announcements.
class CNotifyListener : public QObject {
    Q_OBJECT
public:
    std::vector<std::pair<int, int>> heard;
public slots:
    void notifyChange(int type, int arg) { heard.emplace_back(type, arg); }
};

namespace {

// A session bus of the test's own; DBUS_SESSION_BUS_ADDRESS points at it while it lives.
class CSessionBus {
public:
    bool Start()
    {
        if (!ProgramInPath("dbus-daemon") || !ProgramInPath("dbus-send"))
            return false;
        if (!m_daemon.Start({"dbus-daemon", "--session", "--nofork", "--print-address=1"}) ||
            !m_daemon.ReadLine(m_address, 10000) || m_address.empty())
            return false;
        m_env.Set("DBUS_SESSION_BUS_ADDRESS", m_address);
        return true;
    }
    const std::string& Address() const { return m_address; }

private:
    CChildProcess m_daemon;
    std::string m_address;
    EnvGuard m_env;
};

// KWin's input devices on the bus, answered from a thread of their own so that a caller
// blocked waiting for a program still gets its answers.
class CKWinStandIn {
public:
    explicit CKWinStandIn(const std::string& address)
        : m_connection(QDBusConnection::connectToBus(QString::fromStdString(address),
                                                     QStringLiteral("kwin-stand-in")))
    {
        m_devices.push_back(
            std::make_unique<CKWinInputDevice>("event3", "AT Keyboard", false, 1, 1));
        m_devices.push_back(
            std::make_unique<CKWinInputDevice>("event5", "Zentro Gaming Mouse", true, 1133, 49271));
        m_devices.push_back(
            std::make_unique<CKWinInputDevice>("event7", "SYNA Touchpad", true, 1739, 52620));
        for (auto& device : m_devices) {
            m_manager.names << device->sysName();
            device->moveToThread(&m_thread);
        }
        m_manager.moveToThread(&m_thread);
        m_thread.start();
        m_ok = m_connection.isConnected() &&
               m_connection.registerService(QStringLiteral("org.kde.KWin")) &&
               m_connection.registerObject(QStringLiteral("/org/kde/KWin/InputDevice"), &m_manager,
                                           QDBusConnection::ExportAllProperties);
        for (auto& device : m_devices)
            m_ok = m_ok &&
                   m_connection.registerObject("/org/kde/KWin/InputDevice/" + device->sysName(),
                                               device.get(), QDBusConnection::ExportAllProperties);
    }
    ~CKWinStandIn()
    {
        m_connection.unregisterService(QStringLiteral("org.kde.KWin"));
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("kwin-stand-in"));
    }
    bool Ok() const { return m_ok; }
    qreal Acceleration(size_t i) const { return m_devices[i]->pointerAcceleration(); }
    bool Flat(size_t i) const { return m_devices[i]->flat() && !m_devices[i]->adaptive(); }

private:
    QDBusConnection m_connection;
    QThread m_thread;
    CKWinInputDeviceManager m_manager;
    std::vector<std::unique_ptr<CKWinInputDevice>> m_devices;
    bool m_ok = false;
};

bool ListenForNotify(const std::string& address, CNotifyListener& listener)
{
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromStdString(address), QStringLiteral("listener"));
    return bus.connect(QString(), QStringLiteral("/KGlobalSettings"),
                       QStringLiteral("org.kde.KGlobalSettings"), QStringLiteral("notifyChange"),
                       &listener, SLOT(notifyChange(int, int)));
}

void WaitForSignals(CNotifyListener& listener, size_t count)
{
    QElapsedTimer timer;
    timer.start();
    while (listener.heard.size() < count && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

// Plasma on Wayland, written once by kwriteconfig5 and once by the program's own writer: the
// pointers of KWin get the acceleration (keyboards are left alone) and it is saved by device,
// kdeglobals gets the double-click time and wheel lines, and each change is announced.
TEST(PlasmaSettingsTest, WaylandPointersKdeglobalsAndTheAnnouncements)
{
    CSessionBus bus;
    if (!bus.Start())
        GTEST_SKIP() << "dbus-daemon and dbus-send are needed";
    for (const std::string& writer : {std::string(), std::string("kwriteconfig5")}) {
        if (!writer.empty() && !ProgramInPath(writer))
            continue;
        CTempDir config("plasma");
        EnvGuard env;
        env.Set("XDG_CONFIG_HOME", config.Path());
        CKWinStandIn kwin(bus.Address());
        ASSERT_TRUE(kwin.Ok());
        CNotifyListener listener;
        ASSERT_TRUE(ListenForNotify(bus.Address(), listener));
        CDesktopPointerSettings::Environment desktop;
        desktop.kde = true;
        desktop.wayland = true;
        desktop.kwriteconfig = writer;
        desktop.configHome = config.Path();
        CDesktopPointerSettings backend(desktop, RunCommand);
        EXPECT_TRUE(backend.SetMouse({0, 0, 0})) << writer; // no enhanced precision: flat
        EXPECT_TRUE(backend.SetMouseSpeed(20)) << writer;
        EXPECT_TRUE(backend.SetWheelScrollLines(7)) << writer;
        EXPECT_TRUE(backend.SetDoubleClickTime(340)) << writer;
        EXPECT_FALSE(backend.SetWheelScrollLines(WHEEL_PAGESCROLL)) << writer;
        EXPECT_EQ(kwin.Acceleration(0), 0.0) << writer; // the keyboard
        EXPECT_EQ(kwin.Acceleration(1), 1.0) << writer;
        EXPECT_EQ(kwin.Acceleration(2), 1.0) << writer;
        EXPECT_FALSE(kwin.Flat(0)) << writer;
        EXPECT_TRUE(kwin.Flat(1)) << writer;
        EXPECT_TRUE(kwin.Flat(2)) << writer;
        const std::string kcminputrc = config.Path() + "/kcminputrc";
        EXPECT_EQ(ReadKConfigEntry(kcminputrc, {"Libinput", "1133", "49271", "Zentro Gaming Mouse"},
                                   "PointerAcceleration"),
                  "1.000")
            << writer;
        EXPECT_EQ(ReadKConfigEntry(kcminputrc, {"Libinput", "1133", "49271", "Zentro Gaming Mouse"},
                                   "PointerAccelerationProfile"),
                  "1")
            << writer;
        EXPECT_EQ(ReadKConfigEntry(kcminputrc, {"Libinput", "1739", "52620", "SYNA Touchpad"},
                                   "PointerAcceleration"),
                  "1.000")
            << writer;
        const std::string kdeglobals = config.Path() + "/kdeglobals";
        EXPECT_EQ(ReadKConfigEntry(kdeglobals, {"KDE"}, "WheelScrollLines"), "7") << writer;
        EXPECT_EQ(ReadKConfigEntry(kdeglobals, {"KDE"}, "DoubleClickInterval"), "340") << writer;
        WaitForSignals(listener, 2);
        EXPECT_EQ(listener.heard, (std::vector<std::pair<int, int>>{{3, 0}, {3, 0}})) << writer;
        QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
    }
}

// Without KWin on the bus nothing claims the pointer speed as set.
TEST(PlasmaSettingsTest, WaylandWithoutKWinSetsNoSpeed)
{
    CSessionBus bus;
    if (!bus.Start())
        GTEST_SKIP() << "dbus-daemon and dbus-send are needed";
    CTempDir config("plasma");
    CDesktopPointerSettings::Environment desktop;
    desktop.kde = true;
    desktop.wayland = true;
    desktop.configHome = config.Path();
    CDesktopPointerSettings backend(desktop, RunCommand);
    EXPECT_FALSE(backend.SetMouseSpeed(20));
    EXPECT_EQ(
        ReadKConfigEntry(config.Path() + "/kcminputrc", {"Mouse"}, "XLbInptPointerAcceleration"),
        "");
}

namespace {

// The main window with the desktop's own pointer settings rather than the recording double.
class PlasmaApplyTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SetPointerSettingsBackend(nullptr);
    }
};

} // namespace

// Plasma on X11: Apply with double-click level 9, 7 wheel lines and pointer speed level 11
// writes 340 ms, 7 lines and acceleration 1, and announces the change.
TEST_F(PlasmaApplyTest, ApplyWritesThePlasmaSettings)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "no X server (Xvfb) here";
    CSessionBus bus;
    if (!bus.Start())
        GTEST_SKIP() << "dbus-daemon and dbus-send are needed";
    CTempDir config("plasma");
    EnvGuard env;
    env.Set("XDG_CONFIG_HOME", config.Path());
    env.Set("XDG_CURRENT_DESKTOP", "KDE");
    env.Set("XDG_SESSION_TYPE", "x11");
    env.Set("WAYLAND_DISPLAY", nullptr);
    CNotifyListener listener;
    ASSERT_TRUE(ListenForNotify(bus.Address(), listener));
    CreateWindow();
    // What start-up set and announced is not this test's business.
    WaitForSignals(listener, 2);
    listener.heard.clear();
    const std::string kdeglobals = config.Path() + "/kdeglobals";
    EXPECT_NE(ReadKConfigEntry(kdeglobals, {"KDE"}, "DoubleClickInterval"), "340");
    g_ProfileRecord.DoubleClickSpeed = 9;
    g_ProfileRecord.WheelLines = 7;
    g_ProfileRecord.ScrollOneScreen = 0;
    g_ProfileRecord.PointerSpeed = 11;
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    WaitForSignals(listener, 2);
    EXPECT_EQ(ReadKConfigEntry(kdeglobals, {"KDE"}, "DoubleClickInterval"), "340");
    EXPECT_EQ(ReadKConfigEntry(kdeglobals, {"KDE"}, "WheelScrollLines"), "7");
    EXPECT_EQ(
        ReadKConfigEntry(config.Path() + "/kcminputrc", {"Mouse"}, "XLbInptPointerAcceleration"),
        "1");
    EXPECT_EQ(listener.heard, (std::vector<std::pair<int, int>>{{3, 0}, {3, 0}}));
    QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
}

} // namespace zentro::test

#include "PlasmaSettingsTest.moc"
