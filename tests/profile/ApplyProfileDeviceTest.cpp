#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>
#include <functional>

#include "CoreReset.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "profile/ApplyProfile.h"
#include "profile/FactoryReset.h"
#include "profile/ProfileDeviceSync.h"
#include "platform/DebugLog.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileTestDir.h"

namespace zentro {
namespace {

using test::CProfileTestDir;
using test::PatternRecord;
using Packet = std::array<uint8_t, 8>;

// Virtual time that can run a hook at a given sleep (to pull the plug mid-sequence).
class CHookedSleeper final : public ISleeper {
public:
    void Sleep(uint32_t ms) override
    {
        m_total += ms;
        if (++m_count == m_hookAt && m_hook)
            m_hook();
    }
    void HookAt(int sleepNumber, std::function<void()> hook)
    {
        m_hookAt = sleepNumber;
        m_hook = std::move(hook);
    }
    uint64_t Total() const { return m_total; }

private:
    uint64_t m_total = 0;
    int m_count = 0;
    int m_hookAt = -1;
    std::function<void()> m_hook;
};

class ApplyProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // m_dir has put every program-wide state back already.
        SetSleeper(&m_sleeper);
        SetHidTransport(&m_mouse);
        ASSERT_EQ(ConnectAtStartup(), 1);
        m_mouse.ResetToPowerOn(); // forget the connect exchange
        m_sleeper = CHookedSleeper{};
        // A program directory with profile 0 current and its files present.
        m_dir.WriteList({"Profile 1"}, "Profile 1");
        m_dir.WriteSettings("config0.bin", ProfileRecord{});
        m_dir.Write("str0.ini", "[Profile]\nIsDefault=Y\n");
    }
    void TearDown() override { ResetCoreStateForTest(); }

    std::vector<Packet> Packets() const
    {
        std::vector<Packet> out;
        for (const auto& p : m_mouse.ReceivedPackets())
            out.push_back(p.bytes);
        return out;
    }

    CProfileTestDir m_dir;
    CSimulatedMouse m_mouse;
    CHookedSleeper m_sleeper;
};

Packet Sealed(std::initializer_list<uint8_t> bytes)
{
    CommandPacket p;
    size_t i = 0;
    for (uint8_t b : bytes)
        p[i++] = b;
    SealCommandPacket(p);
    return p.bytes;
}

TEST_F(ApplyProfileTest, DefaultsGoOutInOrderWithTheirWaits)
{
    LoadDefaults();
    g_ProfileRecord.ProfileSlot = 4;
    for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k)
        for (size_t i = 0; i < MACRO_SLOT_SIZE; ++i)
            g_ProfileRecord.MacroSlot[k][i] = static_cast<uint8_t>(k * 16 + i);
    g_byDeviceState = 3;

    ApplyProfile();

    std::vector<Packet> expected = {Sealed({0x01, 0x02}), Sealed({0x0E, 100, 100}),
                                    Sealed({0x11, 0x07, 0x08}), Sealed({0x10, 0x01, 0x18})};
    for (uint8_t i = 0; i < 4; ++i)
        expected.push_back(Sealed({0x12, i, 0x40}));
    for (uint8_t k = 1; k <= 12; ++k)
        expected.push_back(Sealed({0x13, k, 0x80}));
    expected.push_back(Sealed({0x0D, 0x03, 0x04, 0x02}));
    EXPECT_EQ(Packets(), expected);
    EXPECT_EQ(m_mouse.BadChecksumCount(), 0);
    EXPECT_EQ(m_mouse.IncompleteBlockCount(), 0);
    EXPECT_EQ(m_mouse.StrayOutputReportCount(), 0);
    EXPECT_EQ(m_sleeper.Total(), 6800u);

    const SimulatedMouseMemory mem = m_mouse.Memory();
    EXPECT_EQ(mem.dpiStages, BuildDpiBlock(g_ProfileRecord));
    EXPECT_EQ(mem.dpiColors, BuildColorBlock(g_ProfileRecord));
    for (const auto& block : mem.buttonBlocks)
        EXPECT_EQ(block, BuildButtonTable(g_ProfileRecord));
    for (size_t k = 0; k < 12; ++k)
        EXPECT_EQ(std::memcmp(mem.macroBlocks[k].data(), g_ProfileRecord.MacroSlot[k], 128), 0)
            << "slot " << k + 1;

    EXPECT_EQ(g_byDeviceState, 0);
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 0);
    const auto saved = m_dir.Read("config0.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(saved[0], 1);
    EXPECT_EQ(saved[1], 0) << "ProfileSlot is 0 in every saved file";
    EXPECT_EQ(std::memcmp(saved.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
}

TEST_F(ApplyProfileTest, SensitivityIsSentTimesTwentyWithoutWrapping)
{
    LoadDefaults();
    g_ProfileRecord.SensitivityX = 11;
    g_ProfileRecord.SensitivityY = 13; // taken as 11, not 260 wrapped to 4
    ApplyProfile();
    EXPECT_EQ(m_mouse.Memory().axisSensitivity, (std::array<uint8_t, 2>{0xDC, 0xDC}));
}

TEST_F(ApplyProfileTest, SavesTheLabelsIntoTheCurrentLanguageSection)
{
    LoadProfileSettings();
    g_strButtonLabel = {"Click", "Menu", "Scroll ", "DPI -", "DPI +", "a",
                        "b",     "c",    "d",       "e",     "f",     "Deactivated"};
    ApplyProfile();
    // Values are trimmed when read back, as the program reads them.
    EXPECT_EQ(m_dir.Ini("str0.ini", "Setting-EN", "Item3"), "Scroll");
    EXPECT_EQ(m_dir.Ini("str0.ini", "Setting-EN", "Item12"), "Deactivated");
}

TEST_F(ApplyProfileTest, MouseThatVanishesMidwayStillGetsTheWholeSequenceAndTheSave)
{
    LoadDefaults();
    g_ProfileRecord = PatternRecord(1);
    g_ProfileRecord.ProfileSlot = 5;
    // Sleep 6 follows the first chunk of the first button block.
    m_sleeper.HookAt(6, [this] { m_mouse.Unplug(); });
    ApplyProfile();
    EXPECT_EQ(m_sleeper.Total(), 6800u);
    EXPECT_FALSE(m_mouse.IsPlugged());
    EXPECT_LT(m_mouse.ReceivedPackets().size(), 21u);
    const auto saved = m_dir.Read("config0.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(saved[1], 0);
    EXPECT_EQ(std::memcmp(saved.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
}

TEST_F(ApplyProfileTest, SendingSaysWhetherEveryTransferArrived)
{
    // Sleep k follows step k; the 78th and last comes just before the lighting command.
    const struct {
        int unplugAtSleep; // -1: the mouse stays
        bool delivered;
    } cases[] = {{-1, true}, {1, false}, {6, false}, {78, false}, {-1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unplugAtSleep);
        m_mouse.Plug();
        ASSERT_EQ(ConnectAtStartup(), 1);
        m_sleeper = CHookedSleeper{};
        m_sleeper.HookAt(c.unplugAtSleep, [this] { m_mouse.Unplug(); });
        EXPECT_EQ(SendProfileToDevice(g_ProfileRecord), c.delivered);
        EXPECT_EQ(m_sleeper.Total(), 6800u) << "the whole sequence runs either way";
    }
}

TEST_F(ApplyProfileTest, SplitApplySendsTheSnapshotNotLaterEdits)
{
    LoadDefaults();
    ProfileRecord snapshot = BeginApplyProfile();
    g_ProfileRecord.ReportRate = 8; // edited while the worker sends
    SendProfileToDevice(snapshot);
    EXPECT_EQ(m_mouse.Memory().pollingRate, 2);
}

TEST_F(ApplyProfileTest, WithAnUnusableListTheSaveGoesOnlyToTheProfilesOwnFiles)
{
    // A damaged list is repaired when it is read; one that cannot be written stays unusable.
    m_dir.Write("str.ini", "[Profile]\nItemCount=7\nItem0=Profile 1\nCurProfileName=Profile 1\n");
    std::filesystem::permissions(m_dir.Path("str.ini"), std::filesystem::perms::owner_read);
    const auto strIni = m_dir.Read("str.ini");
    LoadProfileSettings();
    std::filesystem::permissions(m_dir.Path("str.ini"), std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_write);
    ASSERT_TRUE(g_strProfileIniFile.empty());
    LoadDefaults();
    g_strButtonLabel[0] = "Click";
    ApplyProfile();
    const auto saved = m_dir.Read("config0.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(std::memcmp(saved.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(m_dir.Ini("str0.ini", "Setting-EN", "Item1"), "Click");
    EXPECT_EQ(m_dir.Read("str.ini"), strIni);
    EXPECT_FALSE(m_dir.Exists("zentro"));
}

// ---- factory reset ----

class FactoryResetTest : public ApplyProfileTest {
protected:
    void SetUp() override
    {
        ApplyProfileTest::SetUp();
        m_dir.WriteList({"A", "B"}, "B");
        m_dir.WriteSettings("config1.bin", PatternRecord(2));
        m_dir.Write("str1.ini", "[Setting-EN]\nItem1=Mine\n");
        m_dir.Write("str.ini", m_dir.ReadText("str.ini") +
                                   "[Setting-EN]\nItem1=Click\nItem2=Menu\nItem12=Deactivated\n");
        // config.bin holds settings that LoadDefaults partly covers.
        m_factory = PatternRecord(3);
        m_dir.WriteSettings("config.bin", m_factory);
        LoadProfileSettings();
        ReadProfileTexts();
        g_ProfileRecord.ProfileSlot = 1;
        std::memset(g_ProfileRecord.MacroSlot, 0x42, sizeof g_ProfileRecord.MacroSlot);
        m_before = g_ProfileRecord;
    }

    ProfileRecord Expected() const
    {
        ProfileRecord r = m_factory;
        LoadDefaults(r);
        r.ProfileSlot = m_before.ProfileSlot;
        std::memcpy(r.MacroSlot, m_before.MacroSlot, sizeof r.MacroSlot);
        return r;
    }

    ProfileRecord m_factory{};
    ProfileRecord m_before{};
};

TEST_F(FactoryResetTest, WhileConnectedSendsAndSavesIntoTheProfilesOwnFiles)
{
    const auto strIni = m_dir.Read("str.ini");
    const auto configBin = m_dir.Read("config.bin");
    bool pointerApplied = false;
    EXPECT_TRUE(FactoryReset({{}, [&] { pointerApplied = true; }}));

    ProfileRecord expected = Expected();
    expected.ProfileSlot = 0; // the apply clears it
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_TRUE(pointerApplied);
    EXPECT_FALSE(DefaultFileMode);
    EXPECT_EQ(g_strButtonLabel[0], "Click");
    EXPECT_EQ(g_strButtonLabel[11], "Deactivated");

    EXPECT_EQ(m_mouse.Memory().dpiStages, BuildDpiBlock(expected));
    EXPECT_EQ(m_sleeper.Total(), 6800u);
    const auto saved = m_dir.Read("config1.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(std::memcmp(saved.data() + 1, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(m_dir.Ini("str1.ini", "Setting-EN", "Item1"), "Click");
    EXPECT_EQ(m_dir.Read("str.ini"), strIni);
    EXPECT_EQ(m_dir.Read("config.bin"), configBin);
}

TEST_F(FactoryResetTest, WhileDisconnectedChangesMemoryOnly)
{
    ResetDeviceLinkForTest();
    const auto config1 = m_dir.Read("config1.bin");
    const auto str1 = m_dir.Read("str1.ini");
    EXPECT_FALSE(FactoryReset());

    const ProfileRecord expected = Expected();
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 1);
    EXPECT_EQ(g_strButtonLabel[0], "Click");
    EXPECT_TRUE(m_mouse.ReceivedPackets().empty());
    EXPECT_EQ(m_dir.Read("config1.bin"), config1);
    EXPECT_EQ(m_dir.Read("str1.ini"), str1);
    // A later label save goes to the profile's own file, not over the defaults in str.ini.
    EXPECT_EQ(g_strProfileIniFile, m_dir.Path("str1.ini"));
}

TEST_F(FactoryResetTest, MissingConfigBinLeavesTheDefaultsAlone)
{
    std::filesystem::remove(m_dir.Path("config.bin"));
    ResetDeviceLinkForTest();
    FactoryReset();
    ProfileRecord expected = m_before;
    LoadDefaults(expected);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
}

// ---- the apply of Apply and Reset ----

TEST_F(ApplyProfileTest, ApplyAndSaveSendsSavesOnceAndTakesTheAppliedCopy)
{
    LoadDefaults();
    g_strButtonLabel[0] = "Fire";
    std::vector<uint8_t> sentSlots;
    CDebugLogCapture log;
    const bool done = ApplyAndSaveProfile("Setting-DE", [&](const ProfileRecord& snapshot) {
        sentSlots.push_back(snapshot.ProfileSlot);
        SendProfileToDevice(snapshot);
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(sentSlots, std::vector<uint8_t>{0});
    EXPECT_EQ(m_mouse.Memory().dpiStages, BuildDpiBlock(g_ProfileRecord));
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(m_dir.Read("config0.bin").size(), 1791u);
    EXPECT_EQ(m_dir.Ini("str0.ini", "Setting-DE", "Item1"), "Fire");
    size_t saves = 0;
    for (const std::string& line : log.Entries())
        saves += line.rfind("Data num:", 0) == 0;
    EXPECT_EQ(saves, 1u) << log.Text();

    // Without the mouse nothing is sent, saved or copied.
    ResetDeviceLinkForTest();
    m_mouse.ResetToPowerOn();
    const auto config = m_dir.Read("config0.bin");
    const ProfileRecord applied = g_AppliedProfileRecord;
    g_ProfileRecord.ReportRate = 7;
    EXPECT_FALSE(ApplyAndSaveProfile("Setting-DE", {}));
    EXPECT_TRUE(m_mouse.ReceivedPackets().empty());
    EXPECT_EQ(m_dir.Read("config0.bin"), config);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &applied, PROFILE_RECORD_SIZE), 0);
}

TEST(ProfileDeviceSync, ProfileSlotFollowsEveryConnect)
{
    ResetCoreStateForTest();
    CSimulatedMouse mouse;
    CHookedSleeper sleeper;
    SetSleeper(&sleeper);
    SetHidTransport(&mouse);
    InstallProfileDeviceSync();
    g_ProfileRecord.ProfileSlot = 4;
    g_byDeviceState = 2;
    ASSERT_EQ(ConnectAtStartup(), 1);
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 0);

    CSimulatedDeviceWatcher watcher(mouse);
    ASSERT_TRUE(RegisterDeviceNotifications(
        watcher, [](const DeviceChangeNotification& n) { OnDeviceChange(n); }));
    g_ProfileRecord.ProfileSlot = 5;
    mouse.Unplug();
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 5); // a removal leaves it
    mouse.Plug();
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 0);
    watcher.Stop();
    ResetCoreStateForTest();
}

} // namespace
} // namespace zentro
