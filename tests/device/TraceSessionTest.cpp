#include "device/hid/TraceSession.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

namespace zentro {
namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TraceSession, TracesTheConnectExchangeAndItsWaitsThenGivesTheSleeperBack)
{
    test::CTempDir dir("trace");
    const std::string path = dir.Path() + "/trace.txt";
    CSimulatedMouse mouse;
    CVirtualTime time;
    SetSleeper(&time);
    {
        CTraceSession session(mouse, path);
        ASSERT_TRUE(session.Ok()) << session.Error();
        EXPECT_NE(&GetSleeper(), static_cast<ISleeper*>(&time));
        SetHidTransport(&session.Transport());
        ConnectAtStartup();
        GetSleeper().Sleep(50);
        ShutdownDeviceLink();
        SetHidTransport(nullptr);
    }
    EXPECT_EQ(&GetSleeper(), static_cast<ISleeper*>(&time));
    const std::string trace = ReadAll(path);
    EXPECT_EQ(trace.rfind("set-feature 00 80 00 00 00 00 00 00 7f\n", 0), 0u) << trace;
    EXPECT_NE(trace.find("get-feature 00 80 01 02 00 00 00 00 7c\n"), std::string::npos);
    EXPECT_NE(trace.find("\nsleep 50\n"), std::string::npos);
    SetSleeper(nullptr);
    ResetDeviceLinkForTest();
}

TEST(TraceSession, UnwritableFileTracesNothingAndSaysWhy)
{
    CSimulatedMouse mouse;
    ISleeper& before = GetSleeper();
    CTraceSession session(mouse, "/nonexistent-folder/trace.txt");
    EXPECT_FALSE(session.Ok());
    EXPECT_NE(session.Error().find("/nonexistent-folder/trace.txt"), std::string::npos);
    EXPECT_EQ(&session.Transport(), static_cast<IHidTransport*>(&mouse));
    EXPECT_EQ(&GetSleeper(), &before);
}

} // namespace
} // namespace zentro
