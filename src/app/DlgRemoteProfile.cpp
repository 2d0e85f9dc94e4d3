// A profile switch asked for by zentroctl through the single-instance socket: the window does
// it as if the profile had been chosen in its own list, so the window and the files agree and
// only this program talks to the mouse.

#include "app/MouseConfigurationDlg.h"

#include <QTimer>

#include "profile/ProfileOperations.h"
#include "profile/ui/ProfileListPart.h"

namespace zentro {

void CMouseConfigurationDlg::OnRemoteProfileSelect(int profile, bool apply)
{
    if (!m_bInitCompleted)
        return;
    if (m_bTransferring) {
        // An apply is on its way to the mouse: switch once it is done.
        QTimer::singleShot(100, this,
                           [this, profile, apply] { OnRemoteProfileSelect(profile, apply); });
        return;
    }
    // The open list would write its own choice on confirm; it goes unconfirmed, as on a reset.
    if (auto* profiles = Part<CProfileListPart>())
        profiles->CloseProfileList();
    if (!SelectProfile(profile))
        return;
    RefreshFromRecord();
    if (apply)
        OnApply();
}

} // namespace zentro
