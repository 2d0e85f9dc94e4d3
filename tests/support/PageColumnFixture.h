#pragma once

// The page column on its own: a stand-in main window (1000 x 648) holding the column and its
// skinned scroll bar at the column's place, on a copy of the generated program directory,
// with the factory record, the texts of a language and a colour chooser with preset answers.

#include "support/GuiTestSupport.h"
#include "support/ProgramDirCopy.h"

#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
#include "controls/SkinScrollBar.h"
#include "controls/SkinScrollWnd.h"
#include "controls/UiServices.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnPart.h"
#include "settings/ui/PageColumnState.h"
#include "text/LanguageTexts.h"
#include "app/GuiStateReset.h"
#include "support/UiServiceDoubles.h"

#include <QTest>

#include <optional>

namespace zentro::test {

class PageColumnFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyProgramDir(QStringLiteral(ZENTRO_PROGRAM_DIR), m_dir.path());
        ResetGuiStateForTest();
        SetExeDirOverride(m_dir.path().toStdString() + "/");
        LoadDefaults();
        LoadLanguageTexts(Language());
        m_host.resize(1000, 648);
        m_host.ShowActive();
        m_part.Create(&m_host, &m_host, &m_chooser);
        m_column = m_part.Column();
        DeliverPosted();
        m_host.messages.clear();
    }
    void TearDown() override { ResetGuiStateForTest(); }
    virtual std::string Language() const { return "EN"; }

    // Clicks the window at a point of its client area; the widget there gets the click.
    void ClickAt(const QPoint& point)
    {
        QWidget* target = m_host.childAt(point);
        if (target == nullptr)
            target = &m_host;
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(&m_host, point));
        DeliverPosted();
    }
    // Presses at one point and releases at another (window coordinates), as a drag.
    void DragAt(const QPoint& from, const QPoint& to)
    {
        QWidget* target = m_host.childAt(from);
        ASSERT_NE(target, nullptr);
        QTest::mousePress(m_host.windowHandle(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(m_host.windowHandle(), to);
        QTest::mouseRelease(m_host.windowHandle(), Qt::LeftButton, Qt::NoModifier, to);
        DeliverPosted();
    }
    // A point of page k (its own coordinates) in window coordinates.
    QPoint OnPage(int k, const QPoint& p) const { return m_column->Page(k)->mapTo(&m_host, p); }
    void ClickPage(int k, const QPoint& p) { ClickAt(OnPage(k, p)); }
    // Clicks the middle of title bar k where it stands now.
    void ClickTitleBar(int k) { ClickAt(m_column->TitleBar(k)->mapTo(&m_host, QPoint(100, 10))); }
    void OpenSection(int k)
    {
        if (m_column->m_bSectionCollapsed[k - 1])
            ClickTitleBar(k);
    }
    // From the bottom up, so every title bar is still in view when it is clicked.
    void OpenAll()
    {
        for (int k = 7; k >= 1; --k)
            OpenSection(k);
    }
    int BarTop(int k) const { return m_column->TitleBar(k)->y(); }

    QTemporaryDir m_dir;
    CMessageRecorder m_host;
    CPresetColorChooser m_chooser;
    CPageColumnPart m_part;
    CDlgadvance* m_column = nullptr;
};

} // namespace zentro::test
