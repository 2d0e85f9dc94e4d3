#pragma once

// What the profile layer keeps in step with the device link: after every successful connect
// (start-up and arrival) ProfileSlot of the live record takes the freshly cleared device state
// byte (0). The device link itself knows nothing of the record; the program installs this once
// at start-up, before the first connect.

namespace zentro {

void InstallProfileDeviceSync();

} // namespace zentro
