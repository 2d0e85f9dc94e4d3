#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <string>

#include "controls/UiServices.h"

// The macro recorder's shared state and its hook procedure. While the macro manager records,
// the keyboard capture service (on X11 a keyboard grab, so no other program receives a key)
// hands every key event to JournalRecordHook, which names the key and posts
// WM_RECORD_KEY_EVENT to the manager; the manager turns it into items (OnRecordKeyEvent).
//
// Each posted message has its own entry in g_recordQueue (key name, release flag and the time
// the key was seen), so keys that arrive faster than the manager handles them keep their own
// names and pauses.

namespace zentro {

constexpr uint32_t WM_RECORD_KEY_EVENT = 0x0926;
// At most this many key events are recorded per recording; the next one stops it.
constexpr int MAX_RECORDED_KEY_EVENTS = 62;

struct RecordedKeyEvent {
    std::string name;
    bool released = false;
    uint32_t tick = 0; // program clock when the hook saw the key
};

extern IKeyboardCapture* g_hRecordHook; // the capture running for the recorder, or null
extern QPointer<QWidget> g_hMacroWnd;   // the macro manager, target of WM_RECORD_KEY_EVENT
extern int g_bRecording;                // a recording runs (decides what the record button does)
extern int g_nRecordState;              // 0 started, no event yet; 1 recording; 2 stopped
extern int g_nHookEventCount;           // events the hook posted since the start
extern int g_nLastVk;                   // code and flags of the last event the hook saw,
extern int g_nLastKeyFlags;             // for its repeat filter; -1 when none
extern std::string g_strKeyName;        // name of the last key the hook saw
extern std::deque<RecordedKeyEvent> g_recordQueue;

// The flags of `key` as the key hooks know them: 0x01 extended, 0x80 released.
uint32_t HookKeyFlags(const CapturedKey& key);
// The debug line of the raw event that both key hooks (recorder and single key) write.
void LogHookKey(const CapturedKey& key);
// Where no program may take the whole keyboard (Wayland), the recorder and the single-key
// dialog tell the person that keys are read only while their window is active: this note, in
// the language with `languageCode`.
QString FocusOnlyCaptureNote(const std::string& languageCode);

// The hook procedure: drops a repeat of the last event (a held key), turns keypad Enter into
// 0x6C ("Num Enter"), writes the two debug lines, queues the event and posts
// WM_RECORD_KEY_EVENT (wParam 0 press, 1 release) to g_hMacroWnd.
void JournalRecordHook(const CapturedKey& key);

// Tests: everything above back to its start values.
void ResetMacroRecorderStateForTest();

} // namespace zentro
