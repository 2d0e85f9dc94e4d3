// A profile switch asked for by zentroctl through the single-instance socket: the window does
// it as if the profile had been chosen in its own list, so the window and the files agree and
// only this program talks to the mouse. The answer says what really happened, after the work.

#include "app/MouseConfigurationDlg.h"

#include <QApplication>
#include <QTimer>

#include "controls/BitmapBtn.h"
#include "device/DeviceLink.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileOperations.h"

namespace zentro {

namespace {

// How long a request may wait for a transfer, the start-up or a dialog to end; zentroctl
// waits 10 s for a switch and 60 s for a switch with apply (which itself takes about 7 s).
constexpr auto REMOTE_WAIT = std::chrono::seconds(8);
constexpr auto REMOTE_APPLY_WAIT = std::chrono::seconds(45);
constexpr int REMOTE_RETRY_MS = 100;

} // namespace

void CMouseConfigurationDlg::OnRemoteProfileSelect(int profile, bool apply, RemoteReply reply)
{
    m_remoteRequests.push_back(
        {profile, apply, std::move(reply),
         std::chrono::steady_clock::now() + (apply ? REMOTE_APPLY_WAIT : REMOTE_WAIT)});
    ProcessRemoteRequests();
}

void CMouseConfigurationDlg::ProcessRemoteRequests()
{
    while (!m_remoteRequests.empty()) {
        const bool busy = !m_bInitCompleted || m_bTransferring || m_bRemoteRunning ||
                          QApplication::activeModalWidget() != nullptr;
        if (busy) {
            // Requests that waited too long are answered truthfully: nothing was done.
            const auto now = std::chrono::steady_clock::now();
            for (auto it = m_remoteRequests.begin(); it != m_remoteRequests.end();) {
                if (it->deadline > now) {
                    ++it;
                    continue;
                }
                const RemoteReply reply = std::move(it->reply);
                it = m_remoteRequests.erase(it);
                reply(!m_bInitCompleted ? "error the window is still starting; nothing was done"
                                        : "error the window is busy (a transfer to the mouse or "
                                          "an open dialog); nothing was done");
            }
            // Checked again shortly, only while a request waits.
            if (!m_remoteRequests.empty() && !m_bRemoteRetryPending) {
                m_bRemoteRetryPending = true;
                QTimer::singleShot(REMOTE_RETRY_MS, this, [this] {
                    m_bRemoteRetryPending = false;
                    ProcessRemoteRequests();
                });
            }
            return;
        }
        RemoteRequest request = std::move(m_remoteRequests.front());
        m_remoteRequests.pop_front();
        m_bRemoteRunning = true;
        const QString answer = RunRemoteSelect(request.profile, request.apply);
        m_bRemoteRunning = false;
        request.reply(answer);
        // The person at the window hears of a mouse that missed the settings too (after the
        // caller has its answer, as the message waits for a click).
        ReportFailedTransfer();
    }
}

QString CMouseConfigurationDlg::RunRemoteSelect(int profile, bool apply)
{
    // The open list would write its own choice on confirm; it goes unconfirmed, as on a reset.
    for (const auto& part : m_parts)
        part->OnDismissPopups();
    std::string reason;
    if (!SelectProfile(profile, &reason))
        return QString::fromStdString("error " + reason + "; nothing was changed");
    RefreshFromRecord();
    if (!apply)
        return "ok";
    if (g_bDeviceConnected.load() == 0)
        return QString("error profile %1 is current, but no ZENTRO gaming mouse is connected to "
                       "apply it")
            .arg(profile);
    ClearButtonHighlight();
    m_bTransferFailed = false;
    bool saved = false;
    {
        m_btnApply->setEnabled(false);
        saved = ApplyAndSaveProfile([this](const ProfileRecord& s) { SendOffThread(s); });
        if (saved)
            ApplyPointerSettings();
        m_btnApply->setEnabled(true);
    }
    ReplayDeferredMessages();
    if (m_bTransferFailed)
        return QString("error profile %1 is current and saved, but the mouse did not receive all "
                       "of its settings")
            .arg(profile);
    if (!saved)
        return QString("error profile %1 was sent to the mouse, but its files could not be saved")
            .arg(profile);
    return "ok";
}

} // namespace zentro
