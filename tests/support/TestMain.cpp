#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CoreStateListener.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new zentro::test::CCoreStateListener);
    return RUN_ALL_TESTS();
}
