// zentro-mouse: the window program. ZENTRO_DEVICE=simulated runs it against the built-in
// simulated mouse (no hardware needed); otherwise it talks to the real mouse through hidraw
// and follows hot-plug through udev. ZENTRO_TRACE=FILE writes every transfer to the mouse and
// every pacing wait to FILE, one line each, for bug reports.

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/MouseConfigurationApp.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/TraceSession.h"
#include "device/hid/UdevDeviceWatcher.h"

namespace {

// Qt ends a program whose platform plugin cannot open a display with abort() (status 134) and
// a page of advice about reinstalling it. While the display is opened its messages are held;
// when Qt gives up, one line says what is missing and the program ends with status 1.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> g_heldMessages;

std::string NoDisplayMessage()
{
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool none = (!display || !*display) && (!wayland || !*wayland);
    std::string line = "zentro-mouse: ";
    if (platform && *platform)
        line += std::string("cannot open the display of QT_QPA_PLATFORM=") + platform;
    else if (none)
        line += "no display found (DISPLAY and WAYLAND_DISPLAY are unset)";
    else
        line += std::string("cannot open the display ") + (display && *display ? display : "") +
                (display && *display && wayland && *wayland ? " or " : "") +
                (wayland && *wayland ? wayland : "");
    return line + "; to run without one, use xvfb-run zentro-mouse";
}

void HoldWhileOpeningDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_heldMessages.push_back({type, context.category ? context.category : "", text});
}

} // namespace

int main(int argc, char** argv)
{
    const QtMessageHandler previousHandler = qInstallMessageHandler(HoldWhileOpeningDisplay);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : g_heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.c_str());
        if (previousHandler)
            previousHandler(held.type, context, held.text);
    }
    g_heldMessages.clear();
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
