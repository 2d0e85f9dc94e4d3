// The macro manager's two lists: choosing a macro, renaming it in place, the item menu and
// editing a delay in place.

#include "macros/ui/MacroProgramDialog.h"

#include <QLineEdit>

#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"
#include "macros/MacroItem.h"
#include "macros/MacroItemEdit.h"
#include "macros/ui/MacroManagerLayout.h"
#include "macros/ui/MacroRecorder.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

namespace zentro {

namespace L = MacroLayout;

namespace {

constexpr int ITEM_MENU_WIDTH = 140;

int SelectedRow(const CListBoxEx* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

} // namespace

void CMacroProgramDialog::OnMacroNameListSelchange()
{
    const int row = m_lbSelMacro->currentRow();
    if (row < 0)
        return;
    if (m_bRecording) {
        // The item list is about to show the other macro: the recording is saved from what
        // was recorded, under the macro it was recorded for.
        if (g_hRecordHook != nullptr)
            g_hRecordHook->Stop();
        g_hRecordHook = nullptr;
        g_recordQueue.clear();
        g_nHookEventCount = 0;
        g_nRecordState = 2;
        g_bRecording = 0;
        m_bRecording = 0;
        m_btnRecord->SetCaption(m_texts.startRecording);
        m_btnRecord->SetSelected(0);
        if (!m_store.WriteRecordedMacro(g_recordedItems))
            ReportWriteFailure();
    }
    m_store.SelectMacro(row);
    FillItemList();
    SetLoopText(QString::fromStdString(m_store.LoopText()));
    UpdateLoopEditEnabled();
    update();
}

void CMacroProgramDialog::BeginRenameMacro(int index)
{
    if (index < 0 || index >= m_lbSelMacro->count())
        return;
    // Keys go to the editor, so a recording ends first.
    StopRecording();
    g_nEditMode = EDIT_MODE_MACRO_NAME;
    m_strRefusal.clear();
    auto* editor = new CLBEditorWnd(m_lbSelMacro);
    editor->m_fnAccept = [this, index](const QString& text) {
        // A macro's name is the name of its section: a blank name or the name of another macro
        // would lose items.
        int refusal = -1;
        switch (m_store.CheckName(index, text.toStdString())) {
        case MacroStoreResult::BlankName:
            refusal = IDP_MACRO_NAME_BLANK;
            break;
        case MacroStoreResult::NameTaken:
            refusal = IDP_MACRO_NAME_TAKEN;
            break;
        case MacroStoreResult::ReservedName:
            refusal = IDP_MACRO_NAME_RESERVED;
            break;
        case MacroStoreResult::BadName:
            refusal = IDP_MACRO_NAME_BAD;
            break;
        case MacroStoreResult::NameTooLong:
            refusal = IDP_MACRO_NAME_TOO_LONG;
            break;
        default:
            return true;
        }
        m_strRefusal = QString::fromStdString(ProgramText(refusal));
        return false;
    };
    editor->Start(index, false);
}

void CMacroProgramDialog::OnNameEditEnded(int index)
{
    if (!m_strRefusal.isEmpty()) {
        const QString refusal = m_strRefusal;
        m_strRefusal.clear();
        ShowMessage(refusal, m_texts.warningCaption);
        return;
    }
    if (index != g_nCurrentMacro || index < 0 || index >= m_lbSelMacro->count())
        return;
    m_store.SetItems(ListedItems());
    const std::string typed = m_lbSelMacro->item(index)->text().toStdString();
    const std::string& current = m_store.Names()[static_cast<size_t>(index)];
    if (typed == current) {
        // Editing ended without a new name: the section is written again as it stands.
        if (!m_store.WriteMacroRename())
            ReportWriteFailure();
        return;
    }
    // The editor accepted only what CheckName allows; a failed write keeps the old name.
    if (m_store.RenameMacro(typed) == MacroStoreResult::WriteFailed)
        ReportWriteFailure();
    // The list shows the name as stored (blanks around it dropped).
    m_lbSelMacro->item(index)->setText(
        QString::fromStdString(m_store.Names()[static_cast<size_t>(index)]));
}

void CMacroProgramDialog::OnItemDoubleClick(int index)
{
    if (index < 0 || index >= m_lbItems->count())
        return;
    if (!m_lbItems->item(index)->text().contains(QStringLiteral("ms")))
        return;
    g_nEditMode = EDIT_MODE_DELAY;
    if (index != m_cursel) {
        // The first double-click only marks the delay; the next one edits it.
        m_cursel = index;
        return;
    }
    StopRecording();
    auto* editor = new CLBEditorWnd(m_lbItems);
    editor->Start(index, true);
    OnWriteMacroToIni();
}

void CMacroProgramDialog::OnItemEditEnded(int)
{
    m_store.SetItems(ListedItems());
    if (!m_store.WriteMacroRename())
        ReportWriteFailure();
    OnItemListChanged();
}

void CMacroProgramDialog::ShowItemMenu(const QPoint& globalPos)
{
    StopRecording();
    if (m_pItemMenu)
        m_pItemMenu->deleteLater();
    auto* menu = new CExMenu(&m_font, this);
    menu->setObjectName(QStringLiteral("macroItemMenu"));
    menu->m_nItemWidth = ITEM_MENU_WIDTH;
    menu->AddItem(ID_DELETE_ITEM, m_texts.deleteCaption);
    menu->AddItem(ID_INSERT_LBUTTON, m_texts.insertLeft);
    menu->AddItem(ID_INSERT_MBUTTON, m_texts.insertMiddle);
    menu->AddItem(ID_INSERT_RBUTTON, m_texts.insertRight);
    menu->AddItem(ID_INSERT_DELAY, m_texts.insertDelay);
    m_pItemMenu = menu;
    menu->Track(globalPos, [this, menu](int id) {
        menu->deleteLater();
        if (id != 0)
            OnItemCommand(id);
    });
}

void CMacroProgramDialog::OnItemCommand(int id)
{
    std::vector<std::string> items = ListedItems();
    const int selection = SelectedRow(m_lbItems);
    MacroItemEdit edit;
    switch (id) {
    case ID_DELETE_ITEM:
        edit = DeleteMacroItem(items, selection);
        break;
    case ID_INSERT_LBUTTON:
        edit = InsertMacroClick(items, selection, MACRO_LEFT_BUTTON_NAME);
        break;
    case ID_INSERT_MBUTTON:
        edit = InsertMacroClick(items, selection, MACRO_MIDDLE_BUTTON_NAME);
        break;
    case ID_INSERT_RBUTTON:
        edit = InsertMacroClick(items, selection, MACRO_RIGHT_BUTTON_NAME);
        break;
    case ID_INSERT_DELAY:
        edit = InsertMacroDelay(items, selection);
        break;
    default:
        return;
    }
    if (edit.changed) {
        m_store.SetItems(items);
        FillItemList();
        SelectItem(edit.selection);
    }
    if (edit.save)
        OnWriteMacroToIni();
}

void CMacroProgramDialog::SelectItem(int index)
{
    if (index < 0 || index >= m_lbItems->count()) {
        m_lbItems->clearSelection();
        return;
    }
    m_lbItems->setCurrentRow(index);
    m_lbItems->scrollToItem(m_lbItems->item(index));
}

} // namespace zentro
