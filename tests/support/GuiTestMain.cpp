#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/GuiStateReset.h"
#include "support/GuiStateListener.h"

// GUI tests run headless unless a platform is chosen explicitly.
int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    zentro::PrepareGuiStateCheckForTest();
    auto* listener = new zentro::test::CGuiStateListener;
    ::testing::UnitTest::GetInstance()->listeners().Append(listener); // owned by gtest
    const int result = RUN_ALL_TESTS();
    return result != 0 || listener->Failed() ? 1 : 0;
}
