#pragma once

#include <gtest/gtest.h>

#include "CoreReset.h"

namespace zentro::test {

// Fails the test that leaves program-wide core state other than it found it, naming what
// changed, and puts the state back so the next test is not blamed as well.
class CCoreStateListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { m_before = TakeCoreStateSnapshot(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const std::string changes = DescribeCoreStateChanges(m_before, TakeCoreStateSnapshot());
        if (changes.empty())
            return;
        ADD_FAILURE() << "The test left program-wide state changed (reset it with "
                         "ResetCoreStateForTest):\n"
                      << changes;
        ResetCoreStateForTest();
    }

private:
    CoreStateSnapshot m_before;
};

} // namespace zentro::test
