#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DisplayServers.h"
#include "app/GuiStateReset.h"

namespace {

zentro::test::CChildProcess g_xServer;

// As for the headless window tests: a test that leaves program-wide state changed fails.
class CStateListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        const std::string changed = zentro::DescribeChangedGuiStateForTest();
        if (!changed.empty()) {
            std::fprintf(stderr, "[  STATE   ] %s.%s left program-wide state changed: %s\n",
                         info.test_suite_name(), info.name(), changed.c_str());
            m_bFailed = true;
        }
        zentro::ResetGuiStateForTest();
    }
    bool m_bFailed = false;
};

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
        auto* listener = new CStateListener;
        ::testing::UnitTest::GetInstance()->listeners().Append(listener); // owned by gtest
        result = RUN_ALL_TESTS() != 0 || listener->m_bFailed ? 1 : 0;
    }
    g_xServer.Stop();
    return result;
}
