// The window's behaviour where a plain reading of its design would lose data, hang or leave
// the user without a way out.

#include "support/MainWindowFixture.h"

#include <QFile>

#include <algorithm>
#include <cstddef>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include "controls/MainWindowLayout.h"
#include "controls/BitmapBtn.h"
#include "device/DeviceLink.h"
#include "platform/PrivateProfile.h"
#include "platform/ThreadStart.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/DMarker.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

namespace zentro::test {
namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

size_t CountCode(const std::vector<uint8_t>& codes, uint8_t code)
{
    return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
}

// A hot-plug watcher that cannot start (no udev on the system).
class CDeadWatcher final : public IDeviceWatcher {
public:
    bool Start(Callback) override { return false; }
    void Stop() override {}
};

class MainWindowFaults : public MainWindowFixture {
protected:
    CDeadWatcher m_dead; // outlives the window, which stops it on the way out
};

TEST_F(MainWindowFaults, ResetWhileUnpluggedSavesNothing)
{
    // The profile on disk differs from the factory one, so a save of the reset would show.
    const std::string ini = (ProgramDir() + "str0.ini").toStdString();
    SetLanguage("EN");
    WritePrivateProfileString("Profile", "IsDefault", "Y", ini); // initialised: loaded as is
    WritePrivateProfileString("Setting-EN", "Item1", "My Click", ini);
    {
        QFile file(ProgramDir() + "config0.bin");
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes[1 + offsetof(ProfileRecord, SensitivityX)] = 9;
        file.seek(0);
        file.write(bytes);
    }
    FlushPrivateProfileCache();
    CreateWindow();
    ASSERT_EQ(g_ProfileRecord.SensitivityX, 9);
    ASSERT_EQ(g_strButtonLabel[0], "My Click");
    const QByteArray settings = FileBytes(ProgramDir() + "config0.bin");
    const QByteArray labels = FileBytes(ProgramDir() + "str0.ini");
    m_mouse.Unplug();
    Deliver();
    m_messageBox.answers = {MessageBoxAnswer::Ok};
    m_dlg->OnReset();
    Deliver();
    EXPECT_EQ(FileBytes(ProgramDir() + "config0.bin"), settings);
    EXPECT_EQ(FileBytes(ProgramDir() + "str0.ini"), labels)
        << "labels and settings on disk must keep agreeing";
}

TEST_F(MainWindowFaults, ApplyWithoutATransferThreadSendsOnTheWindowsThread)
{
    CreateWindow();
    ClearPackets();
    FailNextThreadStartsForTest(1);
    ClickAt(MainLayout::APPLY.center());
    FailNextThreadStartsForTest(0);
    EXPECT_EQ(CountCode(PacketCodes(), 0x01), 1u) << "the profile is sent all the same";
    EXPECT_EQ(CountCode(PacketCodes(), 0x0D), 1u);
    EXPECT_FALSE(m_dlg->IsTransferring());
}

TEST_F(MainWindowFaults, WithoutHotPlugTheWindowRunsFullyWithTheMousePresent)
{
    m_windowWatcher = &m_dead;
    CreateWindow();
    EXPECT_TRUE(m_dlg->InitCompleted());
    EXPECT_TRUE(m_dlg->isVisible());
    ClearPackets();
    ClickAt(MainLayout::APPLY.center());
    EXPECT_EQ(CountCode(PacketCodes(), 0x01), 1u);
}

TEST_F(MainWindowFaults, WithoutHotPlugAndWithoutMouseTheWindowShowsAndCloseEndsIt)
{
    // Nothing would ever announce a mouse: the window shows, and Close ends the program
    // instead of hiding it where it could not be found again.
    m_windowWatcher = &m_dead;
    CreateWindow(false);
    EXPECT_TRUE(m_dlg->isVisible());
    QSignalSpy ended(m_dlg.get(), &CMouseConfigurationDlg::dialogEnded);
    ClickAt(MainLayout::CLOSE.center());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(MainWindowFaults, ClicksDuringATransferAreDroppedNotReplayed)
{
    CreateWindow();
    m_dlg->activateWindow();
    ClearPackets();
    QWindow* window = m_dlg->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPointF apply = MainLayout::APPLY.center();
    bool injected = false;
    QTimer::singleShot(0, m_dlg.get(), [&] {
        // Real input from the window system while the mouse is being programmed: a second
        // Apply click.
        injected = m_dlg->IsTransferring();
        QWindowSystemInterface::handleMouseEvent(window, apply, window->mapToGlobal(apply),
                                                 Qt::LeftButton, Qt::LeftButton,
                                                 QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent(window, apply, window->mapToGlobal(apply),
                                                 Qt::NoButton, Qt::LeftButton,
                                                 QEvent::MouseButtonRelease);
    });
    ClickAt(apply.toPoint());
    Deliver();
    QWindowSystemInterface::flushWindowSystemEvents();
    Deliver();
    EXPECT_TRUE(injected);
    EXPECT_EQ(CountCode(PacketCodes(), 0x01), 1u) << "the profile is sent once";
}

TEST_F(MainWindowFaults, PluggingInAgainReloadsTheLiveRecordOnlyAndShowsIt)
{
    CreateWindow();
    const ProfileRecord onDisk = g_ProfileRecord;
    g_AppliedProfileRecord.SensitivityX = onDisk.SensitivityX == 9 ? 8 : 9;
    const ProfileRecord applied = g_AppliedProfileRecord;
    g_ProfileRecord.SensitivityX = onDisk.SensitivityX == 3 ? 4 : 3; // not applied
    m_mouse.Unplug();
    Deliver();
    m_mouse.Plug();
    Deliver();
    EXPECT_EQ(g_ProfileRecord.SensitivityX, onDisk.SensitivityX);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &applied, sizeof applied), 0);
    const int shown = Sensitivity()->m_markerX->GetPos();
    EXPECT_EQ(shown, std::clamp<int>(onDisk.SensitivityX, 1, 11));
}

TEST_F(MainWindowFaults, ATransferCutShortIsToldAndTheProfileStaysSaved)
{
    struct Case {
        const char* name;
        QRect button;    // Apply or Reset
        int unplugAfter; // transfers until the mouse goes; -1: it stays
        uint8_t saved;   // SensitivityX in config0.bin afterwards
    };
    constexpr uint8_t kEdited = 9, kFactory = 5;
    const Case cases[] = {
        {"apply", MainLayout::APPLY, -1, kEdited},
        {"apply, unplugged after the first transfer", MainLayout::APPLY, 1, kEdited},
        {"apply, unplugged among the macro blocks", MainLayout::APPLY, 40, kEdited},
        {"reset", MainLayout::RESET, -1, kFactory},
        {"reset, unplugged half-way", MainLayout::RESET, 20, kFactory},
    };
    SetLanguage("EN");
    CreateWindow();
    const QString told = QString::fromStdString(ProgramText(IDP_NOT_RECEIVED));
    ASSERT_FALSE(told.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_mouse.Plug();
        Deliver();
        ASSERT_NE(g_bDeviceConnected.load(), 0);
        g_ProfileRecord.SensitivityX = kEdited;
        m_messageBox.asked.clear();
        m_messageBox.answers = {MessageBoxAnswer::Ok}; // the reset question
        m_mouse.UnplugAfterTransfers(c.unplugAfter);
        ClickAt(c.button.center());
        Deliver();
        m_mouse.UnplugAfterTransfers(-1);

        bool wasTold = false;
        for (const auto& question : m_messageBox.asked)
            wasTold =
                wasTold || (question.text == told && question.buttons == MessageBoxButtons::Ok);
        EXPECT_EQ(wasTold, c.unplugAfter >= 0);
        EXPECT_EQ(m_mouse.IsPlugged(), c.unplugAfter < 0);
        const QByteArray settings = FileBytes(ProgramDir() + "config0.bin");
        ASSERT_GT(settings.size(), static_cast<int>(1 + offsetof(ProfileRecord, SensitivityX)));
        EXPECT_EQ(settings[1 + offsetof(ProfileRecord, SensitivityX)], c.saved);
    }
}

} // namespace
} // namespace zentro::test
