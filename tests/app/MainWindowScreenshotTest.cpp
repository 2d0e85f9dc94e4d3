// Screenshots of the main window in each language, for review (not compared pixel by pixel).

#include "support/MainWindowFixture.h"

#include "controls/SkinKit.h"

#include <QDir>

#include "controls/BitmapBtn.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

class MainWindowScreenshots : public MainWindowFixture,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(MainWindowScreenshots, SavesTheWindowWithBothPanelsOpen)
{
    SetLanguage(GetParam());
    CreateWindow();
    EXPECT_EQ(g_strLanguage, GetParam());
    EXPECT_EQ(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->GetCaption(), UiText(11));
    EXPECT_FALSE(UiText(11).isEmpty());
    Assignment()->SetAssignmentPanel(0);
    Sensitivity()->SetSensitivityPanel(0);
    const QImage shot = m_dlg->grab().toImage();
    ASSERT_EQ(shot.size(), m_dlg->size());
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString file = dir + "/main-window-" + GetParam() + ".png";
    EXPECT_TRUE(shot.save(file, "PNG")) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace
} // namespace zentro::test
