#include "buttons/ui/ButtonMenu.h"

#include <QPainter>

#include "controls/MainWindowLayout.h"
#include "controls/MainWindowHost.h"
#include "buttons/FunctionCatalogue.h"
#include "buttons/KeyTable.h"
#include "buttons/ui/AssignmentPanel.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/SkinKit.h"
#include "macros/ui/MacroDialog.h"
#include "macros/ui/SingleDialog.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

struct Hotspot {
    const char* stem; // skin path without "-over.png" / "-normal.png"
    int view;         // 1 top, 2 side
    int x;
    int y;
};

// By button index.
constexpr Hotspot HOTSPOTS[BUTTON_COUNT] = {
    {"/Mouse/Front/F-1", 1, 362, 82},  {"/Mouse/Front/F-2", 1, 540, 82},
    {"/Mouse/Front/F-3", 1, 492, 159}, {"/Mouse/Front/F-7", 1, 492, 250},
    {"/Mouse/Front/F-6", 1, 356, 226}, {"/Mouse/Front/F-4", 1, 358, 165},
    {"/Mouse/Front/F-5", 1, 503, 176}, {"/Mouse/Side/S-12", 2, 380, 330},
    {"/Mouse/Side/S-11", 2, 538, 315}, {"/Mouse/Side/S-10", 2, 380, 280},
    {"/Mouse/Side/S-9", 2, 543, 245},  {"/Mouse/Side/S-8", 2, 380, 212},
};

constexpr int MENU_FONT_HEIGHT = 13;

} // namespace

void PaintButtonHotspots(QPainter& painter, int highlighted, int currentView)
{
    if (highlighted < 0 || highlighted >= static_cast<int>(BUTTON_COUNT))
        return;
    const int view = HOTSPOTS[highlighted].view;
    if (view != currentView)
        return;
    for (const Hotspot& spot : HOTSPOTS)
        if (spot.view == view && &spot != &HOTSPOTS[highlighted])
            DrawSkin(painter, QStringLiteral("Skins") + spot.stem + "-normal.png", spot.x, spot.y);
    const Hotspot& over = HOTSPOTS[highlighted];
    DrawSkin(painter, QStringLiteral("Skins") + over.stem + "-over.png", over.x, over.y);
}

CButtonMenu::CButtonMenu(CAssignmentPanel& panel, const CUiServices& services)
    : m_panel(panel), m_services(services)
{
}

void CButtonMenu::ShowButtonMenu(int b)
{
    if (b < 0 || b >= static_cast<int>(BUTTON_COUNT))
        return;
    QWidget* window = m_panel.Window();
    CBitmapBtn* button = m_panel.m_btnAssignment[b];
    // 1. The last Click button keeps its function.
    if (IsLastClickButton(g_ProfileRecord, static_cast<size_t>(b))) {
        if (m_services.messageBox != nullptr)
            m_services.messageBox->Show(window, UiText(IDS_ONE_CLICK_BUTTON),
                                        UiText(IDS_MESSAGE_CAPTION), MessageBoxButtons::Ok);
        button->m_bHover = 0;
        // The pressed look goes too: no menu is open for it.
        button->SetSelected(0);
        button->update();
        g_nHighlightedButton = -1;
        window->update(MainLayout::MOUSE_PICTURE_AREA);
        return;
    }
    // 2. Beside the button's right edge, level with its top.
    const QPoint pos = button->mapToGlobal(QPoint(button->width() + 5, 0));
    // 3. The catalogue, in its order, with its submenus.
    if (m_pMenu)
        m_pMenu->deleteLater();
    const QFont& font = UiFont(MENU_FONT_HEIGHT);
    auto* menu = new CExMenu(&font, window);
    const ButtonMenuSpec& spec = ButtonMenuStructure();
    menu->m_nItemWidth = spec.itemWidth;
    std::vector<CExMenu*> submenus;
    for (const SubmenuSpec& sub : spec.submenus) {
        auto* submenu = new CExMenu(&font, menu);
        submenu->m_nItemWidth = sub.itemWidth;
        for (int id : sub.ids)
            submenu->AddItem(
                id, QString::fromStdString(CatalogueLabel(*FindCatalogueEntry(id), g_strLanguage)));
        submenus.push_back(submenu);
    }
    for (const MenuItemSpec& item : spec.items) {
        if (item.submenu >= 0)
            menu->AddItem(0, UiText(spec.submenus[item.submenu].titleEntry),
                          submenus[item.submenu]);
        else
            menu->AddItem(item.id, QString::fromStdString(CatalogueLabel(
                                       *FindCatalogueEntry(item.id), g_strLanguage)));
    }
    // 4. Tracked with the main window as owner; the choice arrives after the menu has closed.
    m_nAssigning = b;
    m_pMenu = menu;
    menu->Track(pos, [this, b](int id) { OnMenuClosed(b, id); });
}

void CButtonMenu::OnMenuClosed(int b, int id)
{
    // 5. The menu is gone: no highlight, no pressed look.
    if (m_pMenu) {
        m_pMenu->deleteLater();
        m_pMenu = nullptr;
    }
    g_nHighlightedButton = -1;
    m_panel.Window()->update(MainLayout::MOUSE_PICTURE_AREA);
    m_panel.m_btnAssignment[b]->SetSelected(0);
    if (id >= BUTTON_COMMAND_MIN && id <= BUTTON_COMMAND_MAX && id != ID_HELP_WEB)
        AssignButtonFunction(id);
}

void CButtonMenu::AssignButtonFunction(int id)
{
    const int b = m_nAssigning;
    if (b < 0 || b >= static_cast<int>(BUTTON_COUNT))
        return;
    const auto index = static_cast<size_t>(b);
    CBitmapBtn* button = m_panel.m_btnAssignment[b];
    QWidget* window = m_panel.Window();
    const CatalogueEntry* entry = FindCatalogueEntry(id);
    if (entry != nullptr && !entry->NeedsDialog()) {
        if (StoreCatalogueEntry(g_ProfileRecord, index, id))
            button->SetCaption(QString::fromStdString(CatalogueLabel(*entry, g_strLanguage)));
    } else if (id == ID_FN_KEYBOARD_KEY) {
        CSingleDialog dialog(m_services, window);
        if (g_ProfileRecord.Key(index) != 0)
            dialog.m_strKeyName =
                QString::fromStdString(KeyUsageToName(g_ProfileRecord.Key(index)));
        if (dialog.exec() == QDialog::Accepted) {
            const std::string name = dialog.m_strKeyName.toStdString();
            StoreKeyboardKey(g_ProfileRecord, index, name);
            button->SetCaption(QString::fromStdString(KeyboardKeyLabel(name)));
        }
    } else if (id == ID_FN_MACRO) {
        CMacroDialog dialog(m_services, window);
        if (dialog.exec() == QDialog::Accepted && dialog.m_nMacro >= 0 &&
            StoreMacro(g_ProfileRecord, index, dialog.m_nMacro, dialog.m_nRunMode))
            button->SetCaption(
                QString::fromStdString(MacroLabel(dialog.m_strMacroName.toStdString())));
    }
    button->update();
    m_panel.StoreButtonLabel(b);
}

} // namespace zentro
