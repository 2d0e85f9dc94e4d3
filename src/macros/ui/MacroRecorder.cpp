// The macro recorder: the hook procedure that the keyboard capture feeds, and the manager's
// start, stop and handling of recorded keys.

#include "macros/ui/MacroRecorder.h"

#include <QLineEdit>

#include "controls/BitmapBtn.h"
#include "controls/ListBoxEx.h"
#include "controls/VirtualKeyTranslation.h"
#include "controls/WinMessage.h"
#include "macros/MacroItem.h"
#include "macros/MacroKeyNames.h"
#include "macros/MacroStore.h"
#include "macros/ui/MacroManagerLayout.h"
#include "macros/ui/MacroProgramDialog.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

namespace zentro {

IKeyboardCapture* g_hRecordHook = nullptr;
QPointer<QWidget> g_hMacroWnd;
int g_bRecording = 0;
int g_nRecordState = 0;
int g_nHookEventCount = 0;
int g_nLastVk = -1;
int g_nLastKeyFlags = -1;
std::string g_strKeyName;
std::deque<RecordedKeyEvent> g_recordQueue;

namespace {

constexpr uint32_t LLKHF_EXTENDED = 0x01;
constexpr uint32_t LLKHF_UP = 0x80;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;

bool IsAltKey(uint32_t vk)
{
    return vk == 0x12 || vk == 0xA4 || vk == 0xA5;
}

} // namespace

uint32_t HookKeyFlags(const CapturedKey& key)
{
    return (key.extended ? LLKHF_EXTENDED : 0) | (key.released ? LLKHF_UP : 0);
}

void LogHookKey(const CapturedKey& key)
{
    DebugPrintf("vk code=%x,scan code=%x,key flag=%x\n", key.vkCode, 0u, HookKeyFlags(key));
}

QString FocusOnlyCaptureNote(const std::string& languageCode)
{
    if (languageCode == "CHS")
        return QString::fromUtf8("仅在此窗口处于活动状态时读取按键。");
    if (languageCode == "CHT")
        return QString::fromUtf8("僅在此視窗為作用中時讀取按鍵。");
    if (languageCode == "DE")
        return QString::fromUtf8("Tasten werden nur gelesen, solange dieses Fenster aktiv ist.");
    return QStringLiteral("Keys are read only while this window is active.");
}

void JournalRecordHook(const CapturedKey& key)
{
    const uint32_t flags = HookKeyFlags(key);
    // Keypad Enter is Enter with the extended flag; it is named "Num Enter". The code is
    // turned before the repeat filter compares it, so a held keypad Enter is one press too.
    const uint32_t code = HookKeyCode(key);
    // A held key repeats its press: only the first one is recorded.
    if (static_cast<int>(code) == g_nLastVk && static_cast<int>(flags) == g_nLastKeyFlags)
        return;
    g_nLastVk = static_cast<int>(code);
    g_nLastKeyFlags = static_cast<int>(flags);
    LogHookKey(key);
    // A key taken by its position is named by its usage, as the encoder reads it back;
    // without one the code names it.
    g_strKeyName = key.usage != 0 ? MacroKeyNameForUsage(key.usage) : GetKeyStr(code);
    const uint32_t message = IsAltKey(code) ? (key.released ? WM_SYSKEYUP : WM_SYSKEYDOWN)
                                            : (key.released ? WM_KEYUP : WM_KEYDOWN);
    DebugPrintf("virtual-key code :%xl;GetKeyStr(%x)=%s\n", message, code, g_strKeyName.c_str());
    ++g_nHookEventCount;
    g_recordQueue.push_back({g_strKeyName, key.released, GetTickCount()});
    PostWinMessage(g_hMacroWnd, WM_RECORD_KEY_EVENT, key.released ? 1 : 0, 0);
}

void ResetMacroRecorderStateForTest()
{
    g_hRecordHook = nullptr;
    g_hMacroWnd = nullptr;
    g_bRecording = 0;
    g_nRecordState = 0;
    g_nHookEventCount = 0;
    g_nLastVk = -1;
    g_nLastKeyFlags = -1;
    g_strKeyName.clear();
    g_recordQueue.clear();
}

void CMacroProgramDialog::OnRecordButton()
{
    if (g_bRecording)
        StopRecording();
    else
        StartRecording();
}

void CMacroProgramDialog::StartRecording()
{
    if (m_lbSelMacro == nullptr || g_nCurrentMacro < 0 || g_nCurrentMacro >= m_lbSelMacro->count())
        return;
    if (g_hRecordHook != nullptr) {
        g_hRecordHook->Stop();
        g_hRecordHook = nullptr;
    }
    // The capture starts before the item list is emptied: when it cannot start, the list
    // still shows the macro's items, and no later save can store an empty macro.
    IKeyboardCapture* capture = m_services.keyboardCapture;
    int errorCode = 0;
    if (capture == nullptr || !capture->Start(this, JournalRecordHook, &errorCode)) {
        ShowMessage(QString::asprintf("JournalRecordHook Install error code :%d\n", errorCode),
                    QString());
        return;
    }
    g_hRecordHook = capture;
    m_bRecording = 1;
    g_recordedItems.clear();
    g_recordedItems.push_back(m_store.Names()[static_cast<size_t>(g_nCurrentMacro)]);
    g_recordedItems.push_back(std::to_string(g_bRecordDelays ? 1 : 0));
    g_recordedItems.push_back(m_edLoop->text().toStdString());
    g_nHookEventCount = 0;
    g_recordQueue.clear();
    // A new recording does not compare its first key with the last one of the one before.
    g_nLastVk = -1;
    g_nLastKeyFlags = -1;
    m_nRecordedEvents = 0;
    m_lbItems->setUpdatesEnabled(false);
    for (int i = m_lbItems->count() - 1; i >= 0; --i)
        m_lbItems->DeleteItem(i);
    m_lbItems->setUpdatesEnabled(true);
    UpdateLoopEditEnabled();
    g_nRecordState = 0;
    g_bRecording = 1;
    m_btnRecord->SetCaption(m_texts.stopRecording);
    m_btnRecord->SetSelected(1);
    m_btnRecord->update();
    OnItemListChanged();
    update(MacroLayout::MEMORY_TEXT);
}

void CMacroProgramDialog::StopRecording()
{
    g_nHookEventCount = 0;
    if (!m_bRecording || g_hRecordHook == nullptr)
        return;
    g_hRecordHook->Stop();
    g_hRecordHook = nullptr;
    // Keys still queued belong to the recording that just ended; they are not added after
    // its save.
    g_recordQueue.clear();
    g_nRecordState = 2;
    g_bRecording = 0;
    UpdateLoopEditEnabled();
    OnWriteMacroToIni();
    m_bRecording = 0;
    m_btnRecord->SetCaption(m_texts.startRecording);
    m_btnRecord->SetSelected(0);
    m_btnRecord->update();
    update(MacroLayout::MEMORY_TEXT);
}

int CMacroProgramDialog::OnRecordKeyEvent(uintptr_t wParam, intptr_t)
{
    if (!m_bRecording || g_recordQueue.empty())
        return 1;
    const RecordedKeyEvent key = g_recordQueue.front();
    g_recordQueue.pop_front();
    if (m_nRecordedEvents >= MAX_RECORDED_KEY_EVENTS) {
        StopRecording();
        return 1;
    }
    if (wParam > 1) {
        if (m_lbItems->count() > 0)
            m_lbItems->setCurrentRow(m_lbItems->count() - 1);
        return 1;
    }
    auto add = [this](const std::string& text) {
        m_lbItems->addItem(QString::fromStdString(text));
        g_recordedItems.push_back(text);
    };
    const std::string item = MakeKeyItem(key.name, key.released);
    if (g_nRecordState == 0) {
        // The first key of a recording, pressed or released, has no pause before it.
        add(item);
        m_nLastTick = key.tick;
        g_nRecordState = 1;
    } else if (g_bRecordDelays) {
        const uint32_t pause = key.tick - m_nLastTick;
        add(MakeDelayItem(static_cast<int32_t>(pause)));
        add(item);
        m_nLastTick = key.tick;
    } else {
        add(item);
        m_nLastTick = key.tick;
    }
    ++m_nRecordedEvents;
    m_lbItems->setCurrentRow(m_lbItems->count() - 1);
    m_lbItems->scrollToBottom();
    OnItemListChanged();
    return 1;
}

} // namespace zentro
