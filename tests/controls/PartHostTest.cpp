// Every part of the main window works on any host: each is created on a stand-in that records
// what the part asks of it, clicked at its pixel positions, and must ask exactly through the
// host (no part may reach for the window itself).

#include "support/GuiTestSupport.h"
#include "support/ProgramDirCopy.h"
#include "support/UiServiceDoubles.h"

#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/GuiStateReset.h"
#include "buttons/ui/AssignmentPanel.h"
#include "buttons/ui/ButtonMenu.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/MainWindowHost.h"
#include "controls/MainWindowLayout.h"
#include "macros/ui/MacroManagerPart.h"
#include "platform/ExeDir.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "profile/ui/ConfigDialog.h"
#include "profile/ui/ProfileListPart.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnPart.h"
#include "settings/ui/SensitivityPanel.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

// A host window that records each request as a word ("refresh", "clear", "shift 90",
// "cover 1", ...) and the window messages posted to it.
class CRecordingHost : public CMessageRecorder, public IMainWindowHost {
public:
    QWidget* Widget() override { return this; }
    void RefreshFromRecord(bool collapse) override
    {
        calls.push_back(collapse ? "refresh collapse" : "refresh");
    }
    void ClearButtonHighlight() override { calls.push_back("clear"); }
    void SetLeftColumnShift(int shift) override
    {
        calls.push_back("shift " + std::to_string(shift));
    }
    void SetLeftColumnCovered(bool covered) override
    {
        m_bCovered = covered;
        calls.push_back(covered ? "cover 1" : "cover 0");
    }
    bool IsProfileListOpen() const override { return m_bCovered; }
    bool IsTransferring() const override { return transferring; }

    std::vector<std::string> calls;
    bool transferring = false;

private:
    bool m_bCovered = false;
};

struct PartCase {
    const char* name;
    std::function<std::unique_ptr<IMainWindowPart>()> make;
    // What the test does once the part's controls exist.
    std::function<void(IMainWindowPart&, CRecordingHost&)> act;
    // What it asks of the host, in order; read after the act.
    std::function<std::vector<std::string>()> expectedCalls;
    // Checked after the act: what the part shows.
    std::function<void(IMainWindowPart&, CRecordingHost&)> check;
};

void Click(CRecordingHost& host, const QPoint& point)
{
    QWidget* target = host.childAt(point);
    ASSERT_NE(target, nullptr) << "nothing at " << point.x() << "," << point.y();
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(&host, point));
    DeliverPosted();
}

std::vector<PartCase> Cases()
{
    return {
        {"assignment header opens the panel and moves the column below",
         [] { return std::make_unique<CAssignmentPanel>(); },
         [](IMainWindowPart&, CRecordingHost& host) {
             Click(host, MainLayout::ASSIGNMENT_HEADER.center());
         },
         [] {
             EXPECT_GT(g_nAssignmentPanelHeight, 0);
             return std::vector<std::string>{"clear",
                                             "shift " + std::to_string(g_nAssignmentPanelHeight)};
         },
         [](IMainWindowPart& part, CRecordingHost&) {
             EXPECT_FALSE(static_cast<CAssignmentPanel&>(part).IsCollapsed());
         }},
        {"sensitivity header clears the highlight",
         [] { return std::make_unique<CSensitivityPanel>(); },
         [](IMainWindowPart&, CRecordingHost& host) {
             Click(host, MainLayout::SENSITIVITY_HEADER.center());
         },
         [] { return std::vector<std::string>{"clear"}; }, nullptr},
        {"macro header during a transfer opens no manager",
         [] { return std::make_unique<CMacroManagerPart>(); },
         [](IMainWindowPart&, CRecordingHost& host) {
             host.transferring = true;
             Click(host, MainLayout::MACRO_HEADER.center());
         },
         [] { return std::vector<std::string>{"clear"}; },
         [](IMainWindowPart& part, CRecordingHost&) {
             EXPECT_EQ(static_cast<CMacroManagerPart&>(part).Dialog(), nullptr);
         }},
        {"page column title bar posts the highlight's clearing to the host",
         [] { return std::make_unique<CPageColumnPart>(); },
         [](IMainWindowPart& part, CRecordingHost& host) {
             CBitmapBtn* bar = static_cast<CPageColumnPart&>(part).Column()->TitleBar(1);
             Click(host, bar->mapTo(&host, QPoint(100, 10)));
         },
         [] { return std::vector<std::string>{}; },
         [](IMainWindowPart& part, CRecordingHost& host) {
             EXPECT_EQ(host.Of(WM_CLEAR_HIGHLIGHT).size(), 1u);
             EXPECT_FALSE(static_cast<CPageColumnPart&>(part).Column()->Page(1)->isHidden());
         }},
        {"Config opens the list over the column; selecting refreshes and uncovers",
         [] { return std::make_unique<CProfileListPart>(); },
         [](IMainWindowPart& part, CRecordingHost&) {
             part.OnConfig();
             ASSERT_NE(g_pConfigDialog, nullptr);
             // Another profile than the one in memory: it is loaded.
             part.OnWinMessage(WM_PROFILE_COMMAND, PROFILE_CMD_SELECT, 2);
         },
         [] {
             return std::vector<std::string>{"cover 1", "refresh", "cover 0"};
         },
         [](IMainWindowPart&, CRecordingHost&) {
             EXPECT_EQ(g_pConfigDialog, nullptr);
             EXPECT_EQ(g_nSelectedProfile, 2);
         }},
        {"dismissing closes an open list unconfirmed",
         [] { return std::make_unique<CProfileListPart>(); },
         [](IMainWindowPart& part, CRecordingHost& host) {
             part.OnConfig();
             ASSERT_NE(g_pConfigDialog, nullptr);
             EXPECT_EQ(g_pConfigDialog->parentWidget(), &host);
             part.OnDismissPopups();
         },
         [] {
             return std::vector<std::string>{"cover 1", "cover 0"};
         },
         [](IMainWindowPart&, CRecordingHost&) { EXPECT_EQ(g_pConfigDialog, nullptr); }},
    };
}

class PartHostTest : public ::testing::TestWithParam<size_t> {
protected:
    void SetUp() override
    {
        CopyProgramDir(QStringLiteral(ZENTRO_PROGRAM_DIR), m_dir.path());
        ResetGuiStateForTest();
        SetExeDirOverride(m_dir.path().toStdString() + "/");
        LoadDefaults();
        LoadLanguageTexts("EN");
        m_host.resize(1000, 648);
        m_host.ShowActive();
    }
    void TearDown() override { ResetGuiStateForTest(); }

    QTemporaryDir m_dir;
    CRecordingHost m_host;
    CTestUiServices m_services;
};

TEST_P(PartHostTest, AsksOnlyThroughTheHost)
{
    const PartCase test = Cases()[GetParam()];
    SCOPED_TRACE(test.name);
    std::unique_ptr<IMainWindowPart> part = test.make();
    part->CreateControls(m_host, m_services.Bundle());
    DeliverPosted();
    m_host.calls.clear();
    m_host.messages.clear();
    test.act(*part, m_host);
    EXPECT_EQ(m_host.calls, test.expectedCalls());
    if (test.check)
        test.check(*part, m_host);
}

INSTANTIATE_TEST_SUITE_P(EveryPart, PartHostTest, ::testing::Range<size_t>(0, Cases().size()));

} // namespace
} // namespace zentro::test
