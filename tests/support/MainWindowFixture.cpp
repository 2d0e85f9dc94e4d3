#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

#include "app/GuiStateReset.h"
#include "app/MouseConfigurationApp.h"
#include "controls/SkinImage.h"
#include "device/DeviceLink.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"
#include "support/ProgramDirCopy.h"

namespace zentro::test {

int AssignmentPanelHeight()
{
    return GetSkinPictureSize(ResolveSkinPath("Skins/ButtonAssignment/BK_ButtonAssignment.png"))
        .height();
}

void MainWindowFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    const QString program = QStringLiteral(ZENTRO_PROGRAM_DIR);
    ASSERT_TRUE(QDir(program + "/Skins").exists())
        << "the skin is generated into " << program.toStdString() << "/Skins by the build";
    CopyProgramDir(program, m_dir.path());
    ASSERT_TRUE(QFile::exists(m_dir.path() + "/config0.bin"))
        << "the default profile files are generated into " << program.toStdString();

    ResetGuiStateForTest();
    SetExeDirOverride(m_dir.path().toStdString());

    m_trace = std::make_shared<CTransferTrace>(m_traceText);
    m_transport = std::make_unique<CTracingTransport>(m_mouse, m_trace);
    m_sleeper = std::make_unique<CTracingSleeper>(m_time, m_trace);
    SetHidTransport(m_transport.get());
    SetSleeper(m_sleeper.get());
    SetClock(&m_time);
    SetPointerSettingsBackend(&m_pointer);
    m_watcher = std::make_unique<CSimulatedDeviceWatcher>(m_mouse);
}

void MainWindowFixture::TearDown()
{
    DestroyWindow();
    ResetGuiStateForTest();
    m_watcher.reset();
}

void MainWindowFixture::SetLanguage(const std::string& code)
{
    const std::string ini = (m_dir.path() + "/str0.ini").toStdString();
    WritePrivateProfileString("Skins", "Lan", code, ini);
}

void MainWindowFixture::CreateWindow(bool plugged)
{
    if (!plugged)
        m_mouse.Unplug();
    CMouseConfigurationDlg::Services services;
    services.ui = m_services.Bundle();
    if (m_windowCapture != nullptr)
        services.ui.keyboardCapture = m_windowCapture;
    services.tray = &m_tray;
    services.watcher = m_windowWatcher ? m_windowWatcher : m_watcher.get();
    m_dlg = std::make_unique<CMouseConfigurationDlg>(services);
    CMouseConfigurationApp::CreateParts(*m_dlg);
    ASSERT_TRUE(m_dlg->OnInitDialog());
    m_dlg->ShowAtStartup();
    Deliver();
}

void MainWindowFixture::DestroyWindow()
{
    if (!m_dlg)
        return;
    m_dlg.reset();
    QCoreApplication::sendPostedEvents();
}

void MainWindowFixture::Deliver()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    // The desktop's pointer settings are set off the window's thread; tests read them after.
    WaitForPointerSettings();
}

void MainWindowFixture::ClearTrace()
{
    m_traceText.str("");
    m_traceText.clear();
}

std::vector<uint8_t> MainWindowFixture::PacketCodes() const
{
    std::vector<uint8_t> codes;
    const auto packets = m_mouse.ReceivedPackets();
    for (size_t i = m_packetBase; i < packets.size(); ++i)
        codes.push_back(packets[i].bytes[0]);
    return codes;
}

void MainWindowFixture::ClearPackets()
{
    m_packetBase = m_mouse.ReceivedPackets().size();
}

void MainWindowFixture::ClickAt(const QPoint& point)
{
    QWidget* target = m_dlg->childAt(point);
    if (target == nullptr)
        target = m_dlg.get();
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(m_dlg.get(), point));
    Deliver();
}

} // namespace zentro::test
