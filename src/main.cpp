// zentro-mouse: the window program. ZENTRO_DEVICE=simulated runs it against the built-in
// simulated mouse (no hardware needed); otherwise it talks to the real mouse through hidraw
// and follows hot-plug through udev. ZENTRO_TRACE=FILE writes every transfer to the mouse and
// every pacing wait to FILE, one line each, for bug reports.

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/MouseConfigurationApp.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/TraceSession.h"
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

    // The transfer trace: the transport and the sleeper are wrapped before anything talks to
    // the mouse, so the connect exchange is in it too.
    std::unique_ptr<zentro::CTraceSession> trace;
    zentro::IHidTransport* used = transport.get();
    if (const char* traceFile = std::getenv("ZENTRO_TRACE"); traceFile && *traceFile) {
        trace = std::make_unique<zentro::CTraceSession>(*transport, traceFile);
        if (!trace->Ok())
            std::fprintf(stderr, "zentro-mouse: %s\n", trace->Error().c_str());
        used = &trace->Transport();
    }

    zentro::CMouseConfigurationApp::Options options;
    options.transport = used;
    options.watcher = watcher.get();
    zentro::CMouseConfigurationApp app(options);
    const int result = app.Run();
    return result;
}
