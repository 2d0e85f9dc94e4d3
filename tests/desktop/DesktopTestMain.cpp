#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DisplayServers.h"
#include "app/GuiStateReset.h"
#include "support/GuiStateListener.h"

namespace {

zentro::test::CChildProcess g_xServer;

bool OnlyListing(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

} // namespace

// The tests run on an X server of their own (Xvfb), never on the desktop of whoever runs them.
// Without Xvfb they run headless and the tests that need X skip.
int main(int argc, char** argv)
{
    ::unsetenv("WAYLAND_DISPLAY");
    const bool x = !OnlyListing(argc, argv) && zentro::test::StartXvfb(g_xServer);
    ::setenv("QT_QPA_PLATFORM", x ? "xcb" : "offscreen", 1);
    if (!x)
        ::unsetenv("DISPLAY");
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleMock(&argc, argv);
        zentro::PrepareGuiStateCheckForTest();
        auto* listener = new zentro::test::CGuiStateListener;
        ::testing::UnitTest::GetInstance()->listeners().Append(listener); // owned by gtest
        result = RUN_ALL_TESTS() != 0 || listener->Failed() ? 1 : 0;
    }
    g_xServer.Stop();
    return result;
}
