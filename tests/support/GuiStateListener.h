#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/GuiStateReset.h"

namespace zentro::test {

// After every test: the program-wide state must be back at its start values. A test that
// leaves it changed is named and makes the run fail (each test runs in a process of its own
// under ctest, so the failure is that test's); the state is then reset for the next one.
class CGuiStateListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        const std::string changed = DescribeChangedGuiStateForTest();
        if (!changed.empty()) {
            std::fprintf(stderr, "[  STATE   ] %s.%s left program-wide state changed: %s\n",
                         info.test_suite_name(), info.name(), changed.c_str());
            m_bFailed = true;
        }
        ResetGuiStateForTest();
    }
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
};

} // namespace zentro::test
