#pragma once

#include <QLineEdit>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "controls/BitmapBtn.h"
#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"
#include "macros/MacroTestFile.h"
#include "macros/ui/MacroManagerLayout.h"
#include "macros/ui/MacroProgramDialog.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "support/MainWindowFixture.h"

namespace zentro::test {

// The main window with a macro manager of its own over the window's record.ini, shown
// modelessly so a test can click it; keys come from the scripted keyboard capture and pauses
// from the virtual clock.
class MacroManagerFixture : public MainWindowFixture {
protected:
    void TearDown() override
    {
        m_manager.reset();
        MainWindowFixture::TearDown();
    }

    void WriteMacros(const std::vector<MacroText>& macros)
    {
        std::ofstream(g_strRecordIniFile, std::ios::binary | std::ios::trunc)
            << MakeRecordIni(macros);
        FlushPrivateProfileCache();
    }

    void OpenManager()
    {
        m_manager = std::make_unique<CMacroProgramDialog>(m_services.Bundle(), g_strRecordIniFile,
                                                          m_dlg.get());
        ASSERT_TRUE(m_manager->OnInitDialog());
        m_manager->show();
        Deliver();
    }

    void Press(const QPoint& point)
    {
        QTest::mouseClick(m_manager.get(), Qt::LeftButton, Qt::NoModifier, point);
        Deliver();
    }
    void PressCentre(const QRect& rect) { Press(rect.center()); }
    void Record()
    {
        QTest::mouseClick(m_manager->m_btnRecord, Qt::LeftButton);
        Deliver();
    }
    void SelectMacro(int row) { ClickEntry(m_manager->m_lbSelMacro, row); }
    static void ClickEntry(CListBoxEx* list, int row, bool twice = false)
    {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // A double-click is a click followed by the double-click event, as a mouse sends it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::sendPostedEvents();
    }

    // The editor open on `list` (ended editors wait for their deletion), or null.
    static CLBEditorWnd* OpenEditor(CListBoxEx* list)
    {
        for (CLBEditorWnd* editor : list->findChildren<CLBEditorWnd*>())
            if (!editor->m_bEnded)
                return editor;
        return nullptr;
    }

    std::vector<std::string> ShownItems() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < m_manager->m_lbItems->count(); ++i)
            items.push_back(m_manager->m_lbItems->item(i)->text().toStdString());
        return items;
    }
    std::vector<std::string> ShownNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < m_manager->m_lbSelMacro->count(); ++i)
            names.push_back(m_manager->m_lbSelMacro->item(i)->text().toStdString());
        return names;
    }
    static std::string Value(const std::string& section, const std::string& key)
    {
        return GetPrivateProfileString(section, key, "<none>", g_strRecordIniFile);
    }
    // The items of a macro as record.ini holds them.
    static std::vector<std::string> StoredItems(const std::string& name)
    {
        std::vector<std::string> items;
        const std::string count = Value(name, "ItemCount");
        if (count == "<none>")
            return items;
        for (int i = 0; i < std::stoi(count); ++i)
            items.push_back(Value(name, "Item" + std::to_string(i)));
        return items;
    }

    void Tap(uint32_t vk, uint32_t pauseMs = 0)
    {
        m_services.keyboardCapture.Press(vk);
        m_time.Advance(pauseMs);
        m_services.keyboardCapture.Release(vk);
        Deliver();
    }

    std::unique_ptr<CMacroProgramDialog> m_manager;
};

} // namespace zentro::test
