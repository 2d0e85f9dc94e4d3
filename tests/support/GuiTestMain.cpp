#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/GuiStateReset.h"

namespace {

// After every test: the program-wide state must be back at its start values. A test that
// leaves it changed is named and makes the run fail (each test runs in a process of its own
// under ctest, so the failure is that test's); the state is then reset for the next one.
class CProgramStateListener : public ::testing::EmptyTestEventListener {
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
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
};

} // namespace

// GUI tests run headless unless a platform is chosen explicitly.
int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    zentro::PrepareGuiStateCheckForTest();
    auto* listener = new CProgramStateListener;
    ::testing::UnitTest::GetInstance()->listeners().Append(listener); // owned by gtest
    const int result = RUN_ALL_TESTS();
    return result != 0 || listener->Failed() ? 1 : 0;
}
