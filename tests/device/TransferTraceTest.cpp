#include "device/hid/SimulatedMouse.h"
#include "device/hid/TracingSleeper.h"
#include "device/hid/TracingTransport.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zentro {
namespace {

TEST(TransferTraceTest, FormatsLowerCaseTwoDigitBytes)
{
    const uint8_t bytes[] = {0x00, 0x83, 0x0a, 0xff};
    EXPECT_EQ(CTransferTrace::FormatLine("get-feature", bytes, 4), "get-feature 00 83 0a ff\n");
    EXPECT_EQ(CTransferTrace::FormatLine("read", bytes, 0), "read\n");
}

TEST(TransferTraceTest, TracesTheCommandChannelAndSleeps)
{
    CSimulatedMouse mouse;
    std::ostringstream out;
    auto trace = std::make_shared<CTransferTrace>(out);
    CTracingTransport transport(mouse, trace);
    CVirtualTime time;
    CTracingSleeper sleeper(time, trace);

    auto interfaces = mouse.Interfaces();
    auto command = transport.Open(interfaces[2].path, HidOpenMode::ReadWrite, nullptr);
    auto event = transport.Open(interfaces[1].path, HidOpenMode::Read, nullptr);
    ASSERT_TRUE(command && event);

    uint8_t report[9] = {0x00, 0x83, 0, 0, 0, 0, 0, 0, 0x7c};
    ASSERT_TRUE(command->SetFeature(report, sizeof report));
    ASSERT_TRUE(command->GetFeature(report, sizeof report));
    sleeper.Sleep(50);
    uint8_t chunk[33] = {};
    chunk[1] = 0x04;
    command->WriteOutput(chunk, sizeof chunk);

    mouse.PressMacroKey(2);
    uint8_t buffer[40];
    EXPECT_EQ(event->ReadInput(buffer, sizeof buffer, nullptr, 0), 9);

    // 31 trailing zero bytes after 04.
    std::string zeros;
    for (int i = 0; i < 31; ++i)
        zeros += " 00";
    std::string expected = "set-feature 00 83 00 00 00 00 00 00 7c\n"
                           "get-feature 00 83 01 00 00 40 00 00 3b\n"
                           "sleep 50\n"
                           "write 00 04" +
                           zeros + "\n";
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(time.TotalSlept(), 50u);
}

TEST(TransferTraceTest, WritesAFileAndReportsWhenItCannot)
{
    std::string path = ::testing::TempDir() + "/zentro-trace-" + std::to_string(::getpid());
    {
        CTransferTrace trace(path);
        ASSERT_TRUE(trace.IsOpen());
        trace.Sleep(100);
    }
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "sleep 100");
    std::remove(path.c_str());

    CTransferTrace broken("/nonexistent-dir/trace.txt");
    EXPECT_FALSE(broken.IsOpen());
    broken.Sleep(1); // harmless
}

TEST(TransferTraceTest, LinesFromSeveralThreadsStayWhole)
{
    std::ostringstream out;
    CTransferTrace trace(out);
    const uint8_t bytes[16] = {0xab};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                trace.Transfer("read", bytes, sizeof bytes);
        });
    for (auto& thread : threads)
        thread.join();
    std::istringstream in(out.str());
    std::string line;
    int count = 0;
    const std::string expected = CTransferTrace::FormatLine("read", bytes, sizeof bytes);
    while (std::getline(in, line)) {
        ++count;
        ASSERT_EQ(line + "\n", expected);
    }
    EXPECT_EQ(count, 800);
}

TEST(TransferTraceTest, FailedTransfersAreMarkedAfterTheirLineAndCounted)
{
    // The mouse takes two transfers, then its cable is pulled: every later transfer of the
    // command channel fails with ENODEV, whatever its kind, and the trace says so on the line
    // after the bytes. A count-only trace (no stream) sees the same.
    std::ostringstream out;
    for (bool counting : {false, true}) {
        CSimulatedMouse mouse;
        auto trace =
            counting ? std::make_shared<CTransferTrace>() : std::make_shared<CTransferTrace>(out);
        CTracingTransport transport(mouse, trace);
        auto command = transport.Open(mouse.Interfaces()[2].path, HidOpenMode::ReadWrite, nullptr);
        ASSERT_TRUE(command);
        mouse.UnplugAfterTransfers(2);

        struct Step {
            const char* what;
            std::function<bool()> run;
            bool ok;
        };
        uint8_t report[9] = {0x00, 0x12, 0x03, 0x40, 0, 0, 0, 0, 0xa9};
        uint8_t chunk[33] = {0x00, 0x01};
        uint8_t buffer[80] = {};
        const std::vector<Step> steps = {
            {"set-feature", [&] { return command->SetFeature(report, sizeof report); }, true},
            {"write", [&] { return command->WriteOutput(chunk, sizeof chunk); }, true},
            {"write", [&] { return command->WriteOutput(chunk, sizeof chunk); }, false},
            {"get-feature", [&] { return command->GetFeature(report, sizeof report); }, false},
            {"read", [&] { return command->ReadInput(buffer, 33, nullptr, 0) > 0; }, false},
            {"set-feature", [&] { return command->SetFeature(report, sizeof report); }, false},
        };
        for (const auto& step : steps)
            EXPECT_EQ(step.run(), step.ok) << step.what;

        const TransferSummary summary = trace->Summary();
        EXPECT_EQ(summary.transfers, 6);
        EXPECT_EQ(summary.failures, 4);
        EXPECT_EQ(summary.firstFailure, 3);
        EXPECT_EQ(summary.firstFailureVerb, "write");
        EXPECT_EQ(summary.firstFailureCommand, "12 03 40");
        EXPECT_EQ(summary.firstFailureError, "ENODEV");
    }
    std::string zeros;
    for (int i = 0; i < 31; ++i)
        zeros += " 00";
    const std::string write = "write 00 01" + zeros + "\n";
    EXPECT_EQ(out.str(), "set-feature 00 12 03 40 00 00 00 00 a9\n" + write + write +
                             "! ENODEV\n"
                             "get-feature 00 12 03 40 00 00 00 00 a9\n"
                             "! ENODEV\n"
                             "read\n"
                             "! ENODEV\n"
                             "set-feature 00 12 03 40 00 00 00 00 a9\n"
                             "! ENODEV\n");
    EXPECT_EQ(CTransferTrace::ErrorName(EIO), "EIO");
    EXPECT_EQ(CTransferTrace::ErrorName(0), "failed");
}

} // namespace
} // namespace zentro
