#include "profile/ProfileDeviceSync.h"

#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "profile/ProfileRecord.h"

namespace zentro {

void InstallProfileDeviceSync()
{
    SetDeviceConnectedHook([] { g_ProfileRecord.ProfileSlot = g_byDeviceState; });
}

} // namespace zentro
