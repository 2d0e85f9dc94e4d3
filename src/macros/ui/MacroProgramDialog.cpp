#include "macros/ui/MacroProgramDialog.h"

#include <cstring>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"
#include "controls/SkinKit.h"
#include "controls/WinMessage.h"
#include "macros/MacroFile.h"
#include "macros/MacroItemEdit.h"
#include "macros/ui/MacroManagerLayout.h"
#include "macros/ui/MacroRecorder.h"
#include "platform/DebugLog.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

namespace zentro {

namespace L = MacroLayout;

namespace {

constexpr int NAME_LIST_ID = 1006;
constexpr int ITEM_LIST_ID = 1008;
constexpr int LOOP_EDIT_ID = 149;
constexpr int LIST_ITEM_HEIGHT = 14;

const QString kCheckOff = QStringLiteral("Skins/MacroManagement/Pane.png");
const QString kCheckOn = QStringLiteral("Skins/MacroManagement/PaneMakingTick.png");

bool IsChineseLanguage()
{
    return g_strLanguage == "CHS" || g_strLanguage == "CHT";
}

// Keys that never close the manager or press one of its controls.
bool IsFilteredKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_F1:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return false;
    }
}

void SetupList(CListBoxEx* list, const QRect& rect, const QFont& font, int id)
{
    list->setObjectName(QStringLiteral("list%1").arg(id));
    list->setGeometry(rect);
    list->setFont(font);
    list->SetItemHeight(LIST_ITEM_HEIGHT);
    list->setFrameShape(QFrame::NoFrame);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, L::LIST_GROUND);
    palette.setColor(QPalette::Text, L::LIST_TEXT);
    list->setPalette(palette);
    list->m_crSelBack = L::SELECTED_GROUND;
    list->m_crSelText = Qt::white;
}

} // namespace

CMacroProgramDialog::CMacroProgramDialog(const CUiServices& services, std::string recordIniPath,
                                         QWidget* parent)
    : CSkinnedDialog(parent), m_services(services), m_store(std::move(recordIniPath))
{
    setObjectName(QStringLiteral("macroManager"));
}

CMacroProgramDialog::~CMacroProgramDialog()
{
    // An edit still open over a list ends unconfirmed now: the dialog's base hides the window
    // after this class's members are gone, and the edit would otherwise commit into them.
    for (CLBEditorWnd* editor : findChildren<CLBEditorWnd*>())
        editor->End(false);
    // The capture must never outlive the window it sends to.
    StopRecording();
    if (g_hMacroWnd == this)
        g_hMacroWnd = nullptr;
}

int CMacroProgramDialog::Exec()
{
    OnInitDialog();
    return exec();
}

bool CMacroProgramDialog::OnInitDialog()
{
    m_texts = LoadMacroManagerTexts(g_strLanguage);
    m_cutMacros.clear();
    m_bSlotsEncoded = false;
    if (!LoadBackground(QStringLiteral("Skins/MacroManagement/MacroManagement.png"),
                        L::FALLBACK_SIZE)) {
        if (m_services.messageBox != nullptr)
            m_services.messageBox->Show(
                parentWidget(),
                QStringLiteral("Macro Manager Dialog Load background image failed!!!"),
                QStringLiteral("error"), MessageBoxButtons::Ok);
        // Without its picture the dialog has no content; its close, OK and Cancel areas
        // still work.
        if (m_buttons.empty()) {
            AddButton(L::CLOSE_BUTTON, {}, {});
            AddButton(L::OK_BUTTON, {}, {});
            AddButton(L::CANCEL_BUTTON, {}, {});
        }
        return false;
    }
    m_font = UiFont(12);
    m_bRecording = 0;
    CreateControls();
    g_hMacroWnd = this;
    m_bFilling = true;
    m_store.LoadMacroList();
    m_bFilling = false;
    FillNameList();
    FillItemList();
    SetLoopText(QString::fromStdString(m_store.LoopText()));
    if (m_store.Names().empty())
        m_edLoop->setEnabled(false);
    else
        UpdateLoopEditEnabled();
    g_bRecording = 0;
    m_bInitialised = true;
    update();
    return true;
}

void CMacroProgramDialog::CreateControls()
{
    const QString over = QStringLiteral("Skins/MacroManagement/button-new-over.png");
    const QString normal = QStringLiteral("Skins/MacroManagement/button-new-normal.png");
    const QString okOver = QStringLiteral("Skins/MacroManagement/button-cancel-over.png");
    const QString okNormal = QStringLiteral("Skins/MacroManagement/button-cancel-normal.png");
    m_buttons.clear();
    AddButton(L::CLOSE_BUTTON, QStringLiteral("Skins/macro-button-close-normal.png"),
              QStringLiteral("Skins/macro-button-close-over.png"));
    AddButton(L::OK_BUTTON, okNormal, okOver, m_texts.ok);
    AddButton(L::CANCEL_BUTTON, okNormal, okOver, m_texts.cancel);
    AddButton(L::NEW_BUTTON, normal, over, m_texts.newCaption);
    AddButton(L::DELETE_BUTTON, normal, over, m_texts.deleteCaption);

    if (m_lbSelMacro == nullptr) {
        m_lbSelMacro = new CListBoxEx(this);
        m_lbItems = new CListBoxEx(this);
        connect(m_lbSelMacro, &QListWidget::currentRowChanged, this, [this] {
            if (!m_bFilling)
                OnMacroNameListSelchange();
        });
        connect(m_lbSelMacro, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) { BeginRenameMacro(m_lbSelMacro->row(item)); });
        connect(m_lbItems, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) { OnItemDoubleClick(m_lbItems->row(item)); });
        connect(m_lbSelMacro, &CListBoxEx::editEnded, this, &CMacroProgramDialog::OnNameEditEnded);
        connect(m_lbItems, &CListBoxEx::editEnded, this, &CMacroProgramDialog::OnItemEditEnded);
        m_lbItems->viewport()->installEventFilter(this);

        m_edLoop = new QLineEdit(this);
        m_edLoop->setObjectName(QStringLiteral("edit%1").arg(LOOP_EDIT_ID));
        m_edLoop->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*")), m_edLoop));
        m_edLoop->setAlignment(Qt::AlignCenter);
        m_edLoop->setFrame(false);
        m_edLoop->setTextMargins(0, 0, 0, 0);
        m_edLoop->setContentsMargins(0, 0, 0, 0);
        QPalette palette = m_edLoop->palette();
        palette.setColor(QPalette::Base, L::EDIT_GROUND);
        palette.setColor(QPalette::Text, L::EDIT_TEXT);
        palette.setColor(QPalette::Disabled, QPalette::Base, L::EDIT_GROUND);
        palette.setColor(QPalette::Disabled, QPalette::Text, L::EDIT_TEXT.darker(160));
        m_edLoop->setPalette(palette);
        connect(m_edLoop, &QLineEdit::textChanged, this, &CMacroProgramDialog::OnLoopTextChanged);

        const QString recordNormal = QStringLiteral("Skins/MacroManagement/Record-normal.png");
        const QString recordOver = QStringLiteral("Skins/MacroManagement/Record-over.png");
        // While recording the button shows its "over" picture (the pressed state).
        m_btnRecord = CBitmapBtn::CreateSkinned(this, L::RECORD_BUTTON, recordNormal, recordOver,
                                                recordOver, recordNormal, -1, 0);
        connect(m_btnRecord, &QAbstractButton::clicked, this, &CMacroProgramDialog::OnRecordButton);

        for (QWidget* child :
             {static_cast<QWidget*>(m_lbSelMacro), static_cast<QWidget*>(m_lbItems),
              static_cast<QWidget*>(m_edLoop), static_cast<QWidget*>(m_btnRecord)})
            child->installEventFilter(this);
        m_lbSelMacro->viewport()->installEventFilter(this);
    }
    SetupList(m_lbSelMacro, L::NAME_LIST, m_font, NAME_LIST_ID);
    SetupList(m_lbItems, L::ITEM_LIST, m_font, ITEM_LIST_ID);
    m_lbSelMacro->setAccessibleName(QString::fromStdString(ProgramText(IDP_MACRO_LIST)));
    m_lbItems->setAccessibleName(QString::fromStdString(ProgramText(IDP_MACRO_STEPS)));
    m_edLoop->setGeometry(L::LOOP_EDIT);
    m_edLoop->setFont(m_font);
    m_btnRecord->m_strCaptionFace = QString::fromStdString(UiFaceName());
    m_btnRecord->m_nCaptionHeight = IsChineseLanguage() ? 12 : 14;
    m_btnRecord->m_crCaption = Qt::white;
    m_btnRecord->m_crCaptionHover = Qt::white;
    m_btnRecord->m_crCaptionPressed = Qt::white;
    m_btnRecord->SetCaption(m_texts.startRecording);
    m_btnRecord->SetSelected(0);
}

void CMacroProgramDialog::FillNameList()
{
    m_bFilling = true;
    m_lbSelMacro->clear();
    for (const std::string& name : m_store.Names())
        m_lbSelMacro->addItem(QString::fromStdString(name));
    if (g_nCurrentMacro >= 0 && g_nCurrentMacro < m_lbSelMacro->count())
        m_lbSelMacro->setCurrentRow(g_nCurrentMacro);
    m_bFilling = false;
}

void CMacroProgramDialog::FillItemList()
{
    m_lbItems->setUpdatesEnabled(false);
    m_lbItems->clear();
    for (const std::string& item : m_store.Items())
        m_lbItems->addItem(QString::fromStdString(item));
    m_lbItems->setUpdatesEnabled(true);
    OnItemListChanged();
}

std::vector<std::string> CMacroProgramDialog::ListedItems() const
{
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(m_lbItems->count()));
    for (int i = 0; i < m_lbItems->count(); ++i)
        items.push_back(m_lbItems->item(i)->text().toStdString());
    return items;
}

void CMacroProgramDialog::OnItemListChanged()
{
    m_nItemBytes = m_lbItems != nullptr ? MacroItemsDeviceBytes(ListedItems()) : 0;
    m_strMemoryText = QString::fromStdString(ProgramText(IDP_MACRO_MEMORY_USED))
                          .arg(m_nItemBytes)
                          .arg(MACRO_EVENT_AREA_SIZE);
    update(L::MEMORY_TEXT);
}

void CMacroProgramDialog::OnWriteMacroToIni()
{
    m_store.SetItems(ListedItems());
    if (!m_store.WriteSelectedMacro())
        ReportWriteFailure();
}

void CMacroProgramDialog::ReportWriteFailure()
{
    if (m_store.LastWriteError() == 0)
        return; // nothing was to be written (no macro listed)
    ShowMessage(QString::fromStdString(ProgramText(IDP_MACRO_WRITE_FAILED))
                    .arg(QString::fromLocal8Bit(std::strerror(m_store.LastWriteError()))),
                m_texts.warningCaption);
}

void CMacroProgramDialog::SetLoopText(const QString& text)
{
    m_bFilling = true;
    m_edLoop->setText(text);
    m_bFilling = false;
}

void CMacroProgramDialog::OnLoopTextChanged(const QString& text)
{
    if (m_bFilling || m_store.Names().empty())
        return;
    if (!m_store.StoreLoopCount(text.toStdString()))
        ReportWriteFailure();
    // A count outside 1-65535 shows as 1.
    const long long value = ReadProfileInt(text.toStdString());
    if (value < 1 || value > static_cast<long long>(MAX_MACRO_LOOP_COUNT))
        SetLoopText(QStringLiteral("1"));
}

void CMacroProgramDialog::UpdateLoopEditEnabled()
{
    m_edLoop->setEnabled(g_bLoopEnabled != 0);
}

void CMacroProgramDialog::PaintContent(QPainter& painter)
{
    if (!HasBackground() || !m_bInitialised)
        return;
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    painter.drawText(L::TITLE, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     m_texts.title);
    painter.drawText(L::NAME_HEADING, Qt::AlignCenter | Qt::TextSingleLine, m_texts.nameHeading);
    painter.drawText(L::ITEM_HEADING, Qt::AlignCenter | Qt::TextSingleLine, m_texts.itemHeading);
    painter.drawText(L::OPTIONS_HEADING, Qt::AlignCenter | Qt::TextSingleLine,
                     m_texts.optionsHeading);
    painter.drawText(L::DELAY_TEXT, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     m_texts.delayOption);
    painter.drawText(L::LOOP_TEXT, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     m_texts.loopOption);
    DrawSkin(painter, g_bRecordDelays ? kCheckOn : kCheckOff, L::DELAY_CHECK.left(),
             L::DELAY_CHECK.top());
    DrawSkin(painter, g_bLoopEnabled ? kCheckOn : kCheckOff, L::LOOP_CHECK.left(),
             L::LOOP_CHECK.top());
    if (g_nCurrentMacro >= 0) {
        if (m_nItemBytes > MACRO_EVENT_AREA_SIZE && MemoryAreaText() == m_strMemoryText)
            painter.setPen(L::OVERFLOW_TEXT);
        painter.drawText(L::MEMORY_TEXT, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                         MemoryAreaText());
    }
}

QString CMacroProgramDialog::MemoryAreaText() const
{
    if (m_bRecording && g_hRecordHook != nullptr && !g_hRecordHook->IsExclusive())
        return FocusOnlyCaptureNote(g_strLanguage);
    return m_strMemoryText;
}

bool CMacroProgramDialog::OnPress(const QPoint& point)
{
    switch (ButtonAt(point)) {
    case BTN_OK:
        OnOk();
        return true;
    case BTN_CANCEL:
    case BTN_CLOSE:
        OnCancel();
        return true;
    default:
        break;
    }
    if (!m_bInitialised)
        return false;
    if (L::DELAY_CHECK.contains(point)) {
        ToggleDelayOption();
        return true;
    }
    if (L::LOOP_CHECK.contains(point)) {
        ToggleLoopOption();
        return true;
    }
    switch (ButtonAt(point)) {
    case BTN_NEW:
        OnNew();
        return true;
    case BTN_DELETE:
        OnDelete();
        return true;
    default:
        return false;
    }
}

void CMacroProgramDialog::ToggleDelayOption()
{
    // Takes effect from the next key of a running recording.
    g_bRecordDelays = g_bRecordDelays ? 0 : 1;
    update(L::DELAY_CHECK);
}

void CMacroProgramDialog::ToggleLoopOption()
{
    StopRecording();
    g_bLoopEnabled = g_bLoopEnabled ? 0 : 1;
    UpdateLoopEditEnabled();
    update(L::LOOP_CHECK);
}

void CMacroProgramDialog::OnOk()
{
    StopRecording();
    if (m_bInitialised) {
        OnWriteMacroToIni();
        m_cutMacros = m_store.EncodeWorkingSlots();
        m_bSlotsEncoded = true;
        ReportCutMacros();
    }
    accept();
}

void CMacroProgramDialog::ReportCutMacros()
{
    if (m_cutMacros.empty())
        return;
    QString text = QString::fromStdString(ProgramText(IDP_MACROS_CUT_HEADING));
    const QString line = QString::fromStdString(ProgramText(IDP_MACRO_CUT_LINE));
    for (const MacroOverflow& cut : m_cutMacros)
        text += QLatin1Char('\n') + line.arg(QString::fromStdString(cut.name))
                                        .arg(cut.encodedEvents)
                                        .arg(cut.encodedEvents + cut.droppedEvents);
    ShowMessage(text, m_texts.warningCaption);
}

void CMacroProgramDialog::OnCancel()
{
    StopRecording();
    reject();
}

void CMacroProgramDialog::done(int result)
{
    // However the dialog ends (also a close by the window manager), the recording ends first.
    StopRecording();
    if (m_pItemMenu)
        m_pItemMenu->close();
    CSkinnedDialog::done(result);
}

void CMacroProgramDialog::OnNew()
{
    StopRecording();
    OnWriteMacroToIni();
    if (m_store.Names().size() >= MAX_MACRO_COUNT) {
        ShowMessage(m_texts.limitMessage, m_texts.warningCaption);
        return;
    }
    if (m_store.CreateMacro(m_texts.macroWord.toStdString()) == MacroStoreResult::WriteFailed)
        ReportWriteFailure();
    FillNameList();
    FillItemList();
    SetLoopText(QString::fromStdString(m_store.LoopText()));
    UpdateLoopEditEnabled();
    update();
}

void CMacroProgramDialog::OnDelete()
{
    StopRecording();
    const MacroStoreResult result = m_store.DeleteMacro();
    if (result == MacroStoreResult::NoSelection)
        return;
    if (result == MacroStoreResult::WriteFailed)
        ReportWriteFailure();
    FillNameList();
    FillItemList();
    if (m_store.Names().empty()) {
        m_edLoop->setEnabled(false);
    } else {
        SetLoopText(QString::fromStdString(m_store.LoopText()));
        UpdateLoopEditEnabled();
    }
    update();
}

void CMacroProgramDialog::ShowMessage(const QString& text, const QString& caption)
{
    if (m_services.messageBox != nullptr)
        m_services.messageBox->Show(this, text, caption, MessageBoxButtons::Ok);
}

bool CMacroProgramDialog::event(QEvent* event)
{
    if (event->type() == CWinMessageEvent::EventType()) {
        auto* message = static_cast<CWinMessageEvent*>(event);
        if (message->message() == WM_RECORD_KEY_EVENT) {
            message->setResult(OnRecordKeyEvent(message->wParam(), message->lParam()));
            return true;
        }
        if (message->message() == WM_LEBEDIT_END) {
            // Which list ended editing is told by its own signal; the store work is done there.
            DebugPrintf("finish listbox editing,WM_LEBEDIT_END:pMsg->wParam=%d,pMsg->lParam=%d\n",
                        static_cast<int>(message->wParam()), static_cast<int>(message->lParam()));
            return true;
        }
    }
    return CSkinnedDialog::event(event);
}

bool CMacroProgramDialog::IsKeyForDialog(QObject* watched) const
{
    // The in-place editor takes Enter and Escape itself (commit and cancel).
    return qobject_cast<CLBEditorWnd*>(watched) == nullptr;
}

bool CMacroProgramDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && IsKeyForDialog(watched)) {
        if (IsFilteredKey(static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    if (m_lbItems != nullptr && watched == m_lbItems->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // A right press never changes the selection; with an entry selected it opens the
            // item menu.
            if (type == QEvent::MouseButtonPress && !m_lbItems->selectedItems().isEmpty())
                ShowItemMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return CSkinnedDialog::eventFilter(watched, event);
}

} // namespace zentro
