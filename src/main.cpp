// zentro-mouse: the window program. ZENTRO_DEVICE=simulated runs it against the built-in
// simulated mouse (no hardware needed); otherwise it talks to the real mouse through hidraw
// and follows hot-plug through udev.

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/MouseConfigurationApp.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/UdevDeviceWatcher.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("zentro-mouse");
    QApplication::setApplicationDisplayName("ZENTRO gaming mouse");
    QApplication::setDesktopFileName("zentro-mouse");

    const char* device = std::getenv("ZENTRO_DEVICE");
    const bool simulated = device != nullptr && std::strcmp(device, "simulated") == 0;

    std::unique_ptr<zentro::IHidTransport> transport;
    std::unique_ptr<zentro::IDeviceWatcher> watcher;
    if (simulated) {
        auto mouse = std::make_unique<zentro::CSimulatedMouse>();
        watcher = std::make_unique<zentro::CSimulatedDeviceWatcher>(*mouse);
        transport = std::move(mouse);
    } else {
        transport = std::make_unique<zentro::CHidrawTransport>();
        watcher = std::make_unique<zentro::CUdevDeviceWatcher>();
    }

    zentro::CMouseConfigurationApp::Options options;
    options.transport = transport.get();
    options.watcher = watcher.get();
    zentro::CMouseConfigurationApp app(options);
    const int result = app.Run();
    return result;
}
