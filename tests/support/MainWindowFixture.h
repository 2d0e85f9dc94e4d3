#pragma once

#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "app/MouseConfigurationDlg.h"
#include "buttons/ui/AssignmentPanel.h"
#include "settings/ui/SensitivityPanel.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/TracingSleeper.h"
#include "device/hid/TracingTransport.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"
#include "settings/PointerSettings.h"
#include "support/RecordingPointerSettings.h"
#include "support/UiServiceDoubles.h"

namespace zentro::test {

// Where the tests click in the main window (client coordinates).
inline const QPoint APPLY(950, 619);
inline const QPoint CANCEL(888, 619);
inline const QPoint RESET(826, 619);
inline const QPoint CLOSE(986, 12);
inline const QPoint HELP(944, 12);
inline const QPoint ASSIGNMENT_HEADER(140, 117);

// Height of the open assignment panel: its background picture's.
int AssignmentPanelHeight();

// The main window on a temporary program directory (the generated skin and default files
// copied in), the simulated mouse behind a transfer trace, the recording tray, preset
// message-box answers, recorded pointer settings and virtual time.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window and runs its start-up; the mouse is plugged unless told otherwise.
    void CreateWindow(bool plugged = true);
    void DestroyWindow();
    // Sets Skins/Lan of the current profile's INI file before the window is created.
    void SetLanguage(const std::string& code);

    // Delivers posted messages (device events, hot-plug, tray clicks) until none are left.
    void Deliver();
    // The transfer trace since the last ClearTrace.
    std::string Trace() const { return m_traceText.str(); }
    void ClearTrace();
    // Packet codes the mouse received since the last ClearPackets.
    std::vector<uint8_t> PacketCodes() const;
    void ClearPackets();

    // Clicks the window at a point in its client coordinates (the child there gets it).
    void ClickAt(const QPoint& point);

    CAssignmentPanel* Assignment() const { return m_dlg->Part<CAssignmentPanel>(); }
    CSensitivityPanel* Sensitivity() const { return m_dlg->Part<CSensitivityPanel>(); }
    QString ProgramDir() const { return m_dir.path() + "/"; }
    std::string ProgramFile(const char* name) const { return (ProgramDir() + name).toStdString(); }

    QTemporaryDir m_dir;
    CSimulatedMouse m_mouse;
    std::unique_ptr<CSimulatedDeviceWatcher> m_watcher;
    // When set, the window gets this watcher instead of the simulated mouse's.
    IDeviceWatcher* m_windowWatcher = nullptr;
    // When set, the window gets this keyboard capture instead of the scripted one.
    IKeyboardCapture* m_windowCapture = nullptr;
    std::ostringstream m_traceText;
    std::shared_ptr<CTransferTrace> m_trace;
    std::unique_ptr<CTracingTransport> m_transport;
    CVirtualTime m_time;
    std::unique_ptr<CTracingSleeper> m_sleeper;
    CRecordingPointerSettings m_pointer;
    CRecordingTrayIcon m_tray;
    CTestUiServices m_services;
    CPresetMessageBox& m_messageBox = m_services.messageBox;
    std::unique_ptr<CMouseConfigurationDlg> m_dlg;
    size_t m_packetBase = 0;
};

} // namespace zentro::test
