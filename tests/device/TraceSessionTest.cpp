#include "device/hid/TraceSession.h"

#include <gtest/gtest.h>


#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"
#include "support/FileContents.h"
#include "support/TempDir.h"

namespace zentro {
namespace {

using test::ReadFile;

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
    const std::string trace = ReadFile(path);
    EXPECT_EQ(trace.rfind("set-feature 00 80 00 00 00 00 00 00 7f\n", 0), 0u) << trace;
    EXPECT_NE(trace.find("get-feature 00 80 01 02 00 00 00 00 7c\n"), std::string::npos);
    EXPECT_NE(trace.find("\nsleep 50\n"), std::string::npos);
    SetSleeper(nullptr);
    ResetDeviceLinkForTest();
}

TEST(TraceSession, WithoutAWritableFileTransfersAreOnlyCounted)
{
    for (const std::string& path : {std::string(), std::string("/nonexistent-folder/t.txt")}) {
        CSimulatedMouse mouse;
        ISleeper& before = GetSleeper();
        CTraceSession session(mouse, path);
        EXPECT_EQ(session.Ok(), path.empty());
        if (!path.empty()) {
            EXPECT_NE(session.Error().find(path), std::string::npos);
        }
        EXPECT_EQ(&GetSleeper(), &before) << "waits are traced only into a file";
        SetHidTransport(&session.Transport());
        ConnectAtStartup();
        ShutdownDeviceLink();
        SetHidTransport(nullptr);
        EXPECT_GT(session.Trace().Summary().transfers, 0) << path;
        ResetDeviceLinkForTest();
    }
}

} // namespace
} // namespace zentro
