#include "macros/ui/MacroDialog.h"

#include <QPainter>

#include "controls/SkinKit.h"
#include "controls/WinMessage.h"
#include "macros/MacroFile.h"
#include "platform/ExeDir.h"
#include "text/LanguageTexts.h"

namespace zentro {

const std::array<QRect, 3> CMacroDialog::MODE_MARK_RECTS = {
    RectLTRB(220, 78, 236, 94), RectLTRB(220, 128, 236, 144), RectLTRB(220, 178, 236, 194)};
const std::array<QRect, 3> CMacroDialog::MODE_TEXT_RECTS = {
    RectLTRB(237, 70, 390, 102), RectLTRB(237, 120, 390, 152), RectLTRB(237, 170, 390, 202)};

namespace {

constexpr QRect CLOSE_RECT = RectLTRB(352, 6, 370, 24);
constexpr QRect OK_RECT = RectLTRB(250, 250, 308, 275);
constexpr QRect CANCEL_RECT = RectLTRB(314, 250, 372, 275);
constexpr int LIST_CONTROL_ID = 593;
const QColor FIELD_GROUND(40, 40, 40);

struct MacroTexts {
    const char* ok;
    const char* cancel;
    const char* modes[3];
    const char* prompt;
};

// Any language code other than these four leaves every text empty.
MacroTexts TextsFor(const std::string& code)
{
    if (code == "EN")
        return {"OK",
                "Cancel",
                {"Macro runs one-time after pressing the button.",
                 "Macro runs endless loop until any button is pressed. ",
                 "Macro runs endless loop until button is released. "},
                "Please select a macro!"};
    if (code == "DE")
        return {"OK",
                "Abbrechen",
                {"Makro bei Tastendruck einmalig ausführen.",
                 "Makro endlos ausführen, bis erneuter Tastendruck erfolgt.",
                 "Makro bei dauerhaft gedrückter Taste endlos ausführen."},
                "Bitte wählen Sie ein Makro aus!"};
    if (code == "CHS")
        return {"确定",
                "取消",
                {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"},
                "请从列表框选择一个宏"};
    if (code == "CHT")
        return {"確定",
                "取消",
                {"按下按鍵後可重覆執行", "重覆執行至再次按下任一鍵", "重覆執行至放開此鍵"},
                "請先選擇巨集"};
    return {"", "", {"", "", ""}, ""};
}

} // namespace

CMacroDialog::CMacroDialog(const CUiServices& services, QWidget* parent)
    : CSkinnedDialog(parent), m_services(services)
{
    m_font = UiFont(13);
    const MacroTexts texts = TextsFor(g_strLanguage);
    m_strOk = QString::fromUtf8(texts.ok);
    m_strCancel = QString::fromUtf8(texts.cancel);
    for (int i = 0; i < 3; ++i)
        m_strModes[i] = QString::fromUtf8(texts.modes[i]);
    m_strPrompt = QString::fromUtf8(texts.prompt);
    if (!LoadBackground(QStringLiteral("Skins/macro-key.png"), QSize(400, 296)) &&
        m_services.messageBox != nullptr)
        m_services.messageBox->Show(
            parent, QStringLiteral("Macro Key Dialog Load background image failed!!!"),
            QStringLiteral("error"), MessageBoxButtons::Ok);
    AddButton(CLOSE_RECT, QStringLiteral("Skins/button-close-normal.png"),
              QStringLiteral("Skins/button-close-over.png"));
    AddButton(OK_RECT, QStringLiteral("Skins/MacroManagement/button-new-normal.png"),
              QStringLiteral("Skins/MacroManagement/button-new-over.png"), m_strOk);
    AddButton(CANCEL_RECT, QStringLiteral("Skins/MacroManagement/button-new-normal.png"),
              QStringLiteral("Skins/MacroManagement/button-new-over.png"), m_strCancel);
}

void CMacroDialog::PaintContent(QPainter& painter)
{
    if (!HasBackground())
        return;
    painter.setPen(Qt::white);
    painter.drawText(PROMPT_RECT, Qt::AlignCenter | Qt::TextWordWrap, m_strPrompt);
    painter.fillRect(NAME_FIELD_RECT, FIELD_GROUND);
    DrawSkinText(painter, NAME_FIELD_RECT, Qt::AlignLeft | Qt::AlignVCenter, m_strMacroName);
    const QFontMetrics metrics(m_font);
    for (int mode = 0; mode < 3; ++mode) {
        const QRect mark = MODE_MARK_RECTS[mode];
        DrawSkin(painter,
                 mode == m_nRunMode ? QStringLiteral("Skins/PaneMakingTick.png")
                                    : QStringLiteral("Skins/Pane.png"),
                 mark.left(), mark.top());
        // Word-wrapped, and centred on its measured height.
        const QRect box = MODE_TEXT_RECTS[mode];
        const QRect measured = metrics.boundingRect(
            QRect(0, 0, box.width(), 10000), Qt::AlignLeft | Qt::TextWordWrap, m_strModes[mode]);
        const QRect target(box.left(), box.top() + (box.height() - measured.height()) / 2,
                           box.width(), measured.height());
        painter.drawText(target, Qt::AlignLeft | Qt::TextWordWrap, m_strModes[mode]);
    }
}

bool CMacroDialog::OnPress(const QPoint& point)
{
    // 1. A press outside the list and its drop-down area closes an open list.
    if (m_pList && !LIST_RECT.contains(point) && !DROP_DOWN_AREA.contains(point))
        CloseList();
    // 2. OK, Cancel, close.
    switch (ButtonAt(point)) {
    case BTN_OK:
        accept();
        return true;
    case BTN_CANCEL:
    case BTN_CLOSE:
        reject();
        return true;
    default:
        break;
    }
    // 3. The drop-down area opens or closes the list.
    if (DROP_DOWN_AREA.contains(point)) {
        if (m_pList)
            CloseList();
        else
            OpenList();
        return true;
    }
    // 4. The run modes, by mark or text.
    for (int mode = 0; mode < 3; ++mode) {
        if (MODE_MARK_RECTS[mode].contains(point) || MODE_TEXT_RECTS[mode].contains(point)) {
            m_nRunMode = static_cast<uint8_t>(mode);
            update();
            return true;
        }
    }
    return false;
}

void CMacroDialog::OpenList()
{
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("macroList%1").arg(LIST_CONTROL_ID));
    list->setGeometry(LIST_RECT);
    list->setFont(m_font);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setFrameShape(QFrame::Box);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, FIELD_GROUND);
    palette.setColor(QPalette::Text, Qt::white);
    list->setPalette(palette);
    list->setAccessibleName(QString::fromStdString(ProgramText(IDP_MACRO_LIST)));
    const std::string path = GetExeDir() + MACRO_FILE_NAME;
    if (MacroFileExists(path)) {
        // Only the macros the mouse has slots for can be assigned.
        for (const std::string& name : ReadMacroNames(path, MAX_MACRO_COUNT))
            list->addItem(QString::fromStdString(name));
    }
    connect(list, &QListWidget::currentRowChanged, this, &CMacroDialog::OnListSelect);
    // Taking the focus makes the first row current before the user chose anything (ignored
    // below); a click on that row then changes no row, so clicks choose too.
    connect(list, &QListWidget::itemClicked, this,
            [this, list](QListWidgetItem* item) { OnListSelect(list->row(item)); });
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this, list](QListWidgetItem* item) { OnListSelect(list->row(item)); });
    list->show();
    list->setFocus();
    m_pList = list;
}

void CMacroDialog::CloseList()
{
    if (!m_pList)
        return;
    // The list may be inside its own event handler: hide it now, delete it afterwards.
    m_pList->hide();
    m_pList->deleteLater();
    m_pList = nullptr;
}

void CMacroDialog::OnListSelect(int row)
{
    if (!m_pList || row < 0 || row >= m_pList->count())
        return;
    m_nMacro = row;
    m_strMacroName = m_pList->item(row)->text();
    CloseList();
    update();
}

} // namespace zentro
