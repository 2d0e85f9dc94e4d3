#include "macros/ui/SingleDialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "buttons/KeyTable.h"
#include "controls/SkinKit.h"
#include "controls/VirtualKeyTranslation.h"
#include "controls/WinMessage.h"
#include "macros/MacroKeyNames.h"
#include "macros/ui/MacroRecorder.h"
#include "text/LanguageTexts.h"

namespace zentro {

QPointer<QWidget> g_hSingleKeyWnd;
IKeyboardCapture* g_hSingleKeyHook = nullptr;
std::string g_strSingleKeyName;

namespace {

constexpr QRect CLOSE_RECT = RectLTRB(352, 6, 370, 24);
constexpr QRect OK_RECT = RectLTRB(244, 250, 308, 275);
constexpr QRect CANCEL_RECT = RectLTRB(314, 250, 378, 275);

struct SingleTexts {
    const char* ok;
    const char* cancel;
    const char* prompt;
};

SingleTexts TextsFor(const std::string& code)
{
    if (code == "CHS")
        return {"确定", "取消", "请输入一个按键"};
    if (code == "CHT")
        return {"確定", "取消", "請指派一個鍵盤按鍵"};
    if (code == "DE")
        return {"OK", "Abbrechen", "Bitte wählen Sie eine Taste aus."};
    return {"Ok", "Cancel", "Please assign a key"};
}

} // namespace

void SingleKeyHook(const CapturedKey& key)
{
    LogHookKey(key);
    const uint32_t code = HookKeyCode(key);
    // Every key can be assigned, the Windows keys included; the capture keeps the keys from
    // the dialog's own buttons. A key taken by its position is named as the key table names
    // its usage, so that storing the name gives that usage.
    std::string name = key.usage != 0 ? KeyUsageToName(key.usage) : GetKeyStr(code);
    if (name == "N/A")
        name.clear();
    g_strSingleKeyName = name;
    PostWinMessage(g_hSingleKeyWnd, WM_SINGLE_KEY, 0, 0);
}

CSingleDialog::CSingleDialog(const CUiServices& services, QWidget* parent)
    : CSkinnedDialog(parent), m_services(services)
{
    const bool chinese = g_strLanguage == "CHS" || g_strLanguage == "CHT";
    m_font = UiFont(chinese ? 13 : 14);
    const SingleTexts texts = TextsFor(g_strLanguage);
    m_strOk = QString::fromUtf8(texts.ok);
    m_strCancel = QString::fromUtf8(texts.cancel);
    m_strPrompt = QString::fromUtf8(texts.prompt);
    if (!LoadBackground(QStringLiteral("Skins/single-key.png"), QSize(390, 290)) &&
        m_services.messageBox != nullptr)
        m_services.messageBox->Show(
            parent, QStringLiteral("Single Key Dialog Load background image failed!!!"),
            QStringLiteral("error"), MessageBoxButtons::Ok);
    AddButton(CLOSE_RECT, QStringLiteral("Skins/button-close-normal.png"),
              QStringLiteral("Skins/button-close-over.png"));
    AddButton(OK_RECT, QStringLiteral("Skins/MacroManagement/button-cancel-normal.png"),
              QStringLiteral("Skins/MacroManagement/button-cancel-over.png"), m_strOk);
    AddButton(CANCEL_RECT, QStringLiteral("Skins/MacroManagement/button-cancel-normal.png"),
              QStringLiteral("Skins/MacroManagement/button-cancel-over.png"), m_strCancel);
}

CSingleDialog::~CSingleDialog()
{
    StopCapture();
}

void CSingleDialog::showEvent(QShowEvent* event)
{
    CSkinnedDialog::showEvent(event);
    if (!m_bCaptureTried && HasBackground()) {
        m_bCaptureTried = true;
        StartCapture();
    }
}

void CSingleDialog::StartCapture()
{
    g_hSingleKeyWnd = this;
    int errorCode = 0;
    IKeyboardCapture* capture = m_services.keyboardCapture;
    if (capture == nullptr || !capture->Start(this, SingleKeyHook, &errorCode)) {
        if (m_services.messageBox != nullptr)
            m_services.messageBox->Show(
                this, QString::asprintf("JournalRecordHook Install error code :%d\n", errorCode),
                QString(), MessageBoxButtons::Ok);
        return;
    }
    g_hSingleKeyHook = capture;
    if (!capture->IsExclusive())
        m_strFocusNote = FocusOnlyCaptureNote(g_strLanguage);
    update();
}

void CSingleDialog::StopCapture()
{
    if (g_hSingleKeyHook != nullptr && g_hSingleKeyWnd == this) {
        g_hSingleKeyHook->Stop();
        g_hSingleKeyHook = nullptr;
    }
    if (g_hSingleKeyWnd == this)
        g_hSingleKeyWnd = nullptr;
}

void CSingleDialog::done(int result)
{
    StopCapture();
    CSkinnedDialog::done(result);
}

bool CSingleDialog::event(QEvent* event)
{
    if (event->type() == CWinMessageEvent::EventType()) {
        auto* message = static_cast<CWinMessageEvent*>(event);
        if (message->message() == WM_SINGLE_KEY) {
            m_strKeyName = QString::fromStdString(g_strSingleKeyName);
            update(KEY_NAME_RECT);
            return true;
        }
    }
    return CSkinnedDialog::event(event);
}

void CSingleDialog::PaintContent(QPainter& painter)
{
    if (!HasBackground())
        return;
    painter.setPen(Qt::white);
    DrawSkinText(painter, PROMPT_RECT, Qt::AlignCenter, m_strPrompt);
    painter.fillRect(KEY_NAME_RECT, Qt::white);
    painter.setPen(Qt::black);
    DrawSkinText(painter, KEY_NAME_RECT, Qt::AlignCenter, m_strKeyName);
    if (!m_strFocusNote.isEmpty()) {
        painter.setPen(Qt::white);
        DrawSkinText(painter, FOCUS_NOTE_RECT, Qt::AlignCenter | Qt::TextWordWrap, m_strFocusNote);
    }
}

bool CSingleDialog::OnPress(const QPoint& point)
{
    switch (ButtonAt(point)) {
    case BTN_OK:
        accept();
        return true;
    case BTN_CANCEL:
    case BTN_CLOSE:
        reject();
        return true;
    default:
        return false;
    }
}

void ResetSingleKeyStateForTest()
{
    g_hSingleKeyWnd = nullptr;
    g_hSingleKeyHook = nullptr;
    g_strSingleKeyName.clear();
}

} // namespace zentro
