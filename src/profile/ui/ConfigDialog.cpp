#include "profile/ui/ConfigDialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <memory>

#include "controls/ExMenu.h"
#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "controls/WinMessage.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

// Colours of the popup (red, green, blue).
const QColor kSelBack{0x48, 0x18, 0x18}; // 0x181848 as the list is handed it
const QColor kSelText{0xFF, 0xFF, 0xFF};
const QColor kListBack{22, 22, 27}; // the body of the background picture
const QColor kListText{230, 230, 230};
const QColor kEditBack{0x28, 0x28, 0x28};
const QColor kEditText{0xFA, 0xFA, 0xFA};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

CConfigDialog::CConfigDialog(QWidget* parent, QObject* target, const CUiServices& services)
    : QWidget(parent), m_pTarget(target), m_services(services),
      m_texts(&ProfileListTextsFor(g_strLanguage))
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the background covers everything
    setObjectName("ConfigDialog");
}

CConfigDialog::~CConfigDialog()
{
    // An entry's name still being edited ends unconfirmed with the list: the edit must never
    // commit into a popup whose members are gone.
    for (CLBEditorWnd* editor : findChildren<CLBEditorWnd*>())
        editor->End(false);
}

bool CConfigDialog::OnInitDialog()
{
    m_imgBackground = LoadSkinImage(ResolveSkinPath("skins\\/Config/Config.png"));
    if (m_imgBackground.isNull()) {
        if (m_services.messageBox)
            m_services.messageBox->Show(parentWidget(), "error",
                                        "Config Dialog Load background image failed!!!",
                                        MessageBoxButtons::Ok);
        return false;
    }
    resize(m_imgBackground.size());

    m_font = SkinFont(QString::fromUtf8(ProfileListFontFace(g_strLanguage)), 13, QFont::Normal,
                      QFont::SansSerif);
    m_texts = &ProfileListTextsFor(g_strLanguage);
    setFont(m_font);

    m_list = new CListBoxEx(this);
    m_list->setObjectName(QString("list%1").arg(LIST_CONTROL_ID));
    m_list->setAccessibleName(QString::fromStdString(ProgramText(IDP_PROFILE_LIST)));
    m_list->setGeometry(LIST_RECT);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setFont(m_font);
    m_list->SetItemHeight(16);
    m_list->m_crSelBack = kSelBack;
    m_list->m_crSelText = kSelText;
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, kListBack);
    palette.setColor(QPalette::Text, kListText);
    m_list->setPalette(palette);
    m_list->viewport()->installEventFilter(this);
    // Selection changes by the user (never the ones made here, which block the signals) and
    // double clicks follow the rename rule.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { ApplyRenameRule(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { ApplyRenameRule(); });
    connect(m_list, &CListBoxEx::editEnded, this, [this](int index) {
        // The INI file keeps no surrounding blanks: the entry shows what will be stored.
        if (QListWidgetItem* item = m_list->item(index))
            item->setText(item->text().trimmed());
    });

    LoadProfileList(CurrentProfileNumber);
    return true;
}

void CConfigDialog::LoadProfileList(int loadedNumber)
{
    m_list->clear();
    m_entries.clear();
    std::vector<ProfileListEntry> list;
    std::string current;
    if (!ReadProfileList(list, nullptr, &current))
        return;
    std::vector<std::string> names;
    for (const ProfileListEntry& entry : list) {
        names.push_back(entry.name);
        AppendEntry(QString::fromStdString(entry.name), {entry.name, entry.number, false});
    }
    m_nOpenedCount = static_cast<int>(list.size());
    const int found = FindCurrentProfileEntry(names, current, loadedNumber);
    if (found >= 0) {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(found);
        m_nLastClicked = found;
        // Only an entry of that very name is the profile the window holds; an entry found by
        // its beginning is merely selected (confirming loads it), so that an Apply meanwhile
        // still saves the profile shown into its own files.
        if (names[static_cast<size_t>(found)] == current)
            CurrentProfileNumber = static_cast<uint8_t>(found);
    }
}

std::vector<EditedProfileEntry> CConfigDialog::Entries() const
{
    std::vector<EditedProfileEntry> entries = m_entries;
    for (int i = 0; i < m_list->count() && i < static_cast<int>(entries.size()); ++i)
        entries[static_cast<size_t>(i)].name = m_list->item(i)->text().toStdString();
    return entries;
}

int CConfigDialog::SelectedIndex() const
{
    if (!m_list)
        return -1;
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_list->count() || !m_list->item(row)->isSelected())
        return -1;
    return row;
}

int CConfigDialog::SaveProfileList()
{
    // A list str.ini did not hold in a usable form is left alone unless entries were added.
    if (m_nOpenedCount == 0 && m_list->count() == 0)
        return CurrentProfileNumber;
    std::string reason;
    // On failure the list and every file stay as they were, and the person is told why.
    if (!CommitProfileList(Entries(), SelectedIndex(), m_nOpenedCount, &reason) &&
        m_services.messageBox)
        m_services.messageBox->Show(window(),
                                    QString::fromStdString(ProgramText(IDP_PROFILE_LIST_FAILED))
                                        .arg(QString::fromStdString(reason)),
                                    Text(m_texts->caption), MessageBoxButtons::Ok);
    return CurrentProfileNumber;
}

void CConfigDialog::OnConfirm()
{
    const int current = SaveProfileList();
    hide();
    // The window loads the entry the list now names current, and closes the popup.
    PostCommand(PROFILE_CMD_SELECT, current);
}

void CConfigDialog::AppendEntry(const QString& name, const EditedProfileEntry& origin)
{
    m_list->addItem(name);
    m_entries.push_back(origin);
}

void CConfigDialog::AddProfileEntry()
{
    const int n = m_list->count();
    if (n >= MAX_PROFILE_COUNT) {
        ShowLimitMessage();
        return;
    }
    std::vector<std::string> names;
    for (const EditedProfileEntry& entry : Entries())
        names.push_back(entry.name);
    const std::string name = UniqueProfileName(NextProfileName(m_texts->namePrefix, names), names);
    AppendEntry(QString::fromStdString(name), {name, PROFILE_SOURCE_FACTORY, false});
    const QSignalBlocker block(m_list);
    m_list->setCurrentRow(n);
}

void CConfigDialog::OnDelete()
{
    const int selected = SelectedIndex();
    if (m_list->count() < 2 || selected < 0)
        return;
    {
        const QSignalBlocker block(m_list);
        m_list->DeleteItem(selected);
        m_entries.erase(m_entries.begin() + selected);
        // As a list box does: the removed entry's selection goes with it.
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    // The next click on any entry only selects it.
    m_nLastClicked = -1;
}

void CConfigDialog::OnEdit()
{
    ApplyRenameRule();
}

void CConfigDialog::OnCopy()
{
    const int selected = SelectedIndex();
    if (m_list->count() >= MAX_PROFILE_COUNT) {
        ShowLimitMessage();
        return;
    }
    if (selected < 0)
        return;
    std::vector<std::string> names;
    for (const EditedProfileEntry& entry : Entries())
        names.push_back(entry.name);
    const QString name = QString::fromStdString(UniqueProfileName(
        (Text(m_texts->copyText) + " " + m_list->item(selected)->text()).toStdString(), names));
    EditedProfileEntry origin = m_entries[static_cast<size_t>(selected)];
    origin.name = name.toStdString();
    origin.copy = true;
    AppendEntry(name, origin);
}

void CConfigDialog::OnLoad()
{
    const int selected = SelectedIndex();
    if (m_list->count() < 1 || selected < 0)
        return;
    // The entry becomes current only when the import really takes something.
    PostCommand(PROFILE_CMD_IMPORT, selected);
}

void CConfigDialog::OnSave()
{
    const int selected = SelectedIndex();
    if (m_list->count() < 1 || selected < 0)
        return;
    // The entry becomes current only when the export really happens.
    PostCommand(PROFILE_CMD_EXPORT, selected);
}

void CConfigDialog::OnCommand(int id)
{
    switch (id) {
    case ID_PROFILE_DELETE:
        OnDelete();
        break;
    case ID_PROFILE_EDIT:
        OnEdit();
        break;
    case ID_PROFILE_COPY:
        OnCopy();
        break;
    case ID_PROFILE_LOAD:
        OnLoad();
        break;
    case ID_PROFILE_SAVE:
        OnSave();
        break;
    default:
        break;
    }
}

void CConfigDialog::ApplyRenameRule()
{
    const int selected = SelectedIndex();
    if (selected < 0)
        return;
    if (selected == m_nLastClicked)
        StartEditor(selected);
    else
        m_nLastClicked = selected;
}

void CConfigDialog::StartEditor(int index)
{
    for (const CLBEditorWnd* open : m_list->findChildren<CLBEditorWnd*>())
        if (!open->m_bEnded)
            return; // one editor at a time
    g_nEditMode = EDIT_MODE_PROFILE_NAME;
    auto* editor = new CLBEditorWnd(m_list);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, kEditBack);
    palette.setColor(QPalette::Text, kEditText);
    editor->setPalette(palette);
    editor->m_fnAccept = [this, index](const QString& name) { return AcceptName(index, name); };
    editor->Start(index, false);
}

bool CConfigDialog::AcceptName(int index, const QString& name) const
{
    // A blank name or one another entry has would make the list ambiguous: the program
    // finds its current profile by name.
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (int i = 0; i < m_list->count(); ++i)
        if (i != index && m_list->item(i)->text().trimmed() == trimmed)
            return false;
    return true;
}

void CConfigDialog::ShowLimitMessage()
{
    if (m_services.messageBox)
        m_services.messageBox->Show(window(), Text(m_texts->limitMessage), Text(m_texts->caption),
                                    MessageBoxButtons::Ok);
}

void CConfigDialog::PostCommand(uintptr_t command, intptr_t lParam)
{
    PostWinMessage(m_pTarget.data(), WM_PROFILE_COMMAND, command, lParam);
}

void CConfigDialog::ShowContextMenu(const QPoint& globalPos)
{
    if (m_pContextMenu)
        m_pContextMenu->deleteLater();
    m_pContextMenu = new CExMenu(&m_font, this);
    const std::pair<int, const char*> items[] = {
        {ID_PROFILE_DELETE, m_texts->deleteText}, {ID_PROFILE_EDIT, m_texts->editText},
        {ID_PROFILE_COPY, m_texts->copyText},     {ID_PROFILE_LOAD, m_texts->loadText},
        {ID_PROFILE_SAVE, m_texts->saveText},
    };
    const QFontMetrics metrics(m_font);
    int width = 60;
    for (const auto& [id, text] : items) {
        m_pContextMenu->AddItem(id, Text(text));
        width = std::max(width, metrics.horizontalAdvance(Text(text)) + 24);
    }
    m_pContextMenu->m_nItemWidth = width;
    // The chosen command is taken from the menu's own signal, which comes before the menu
    // reports its end (Track's own report of the command can be 0).
    auto chosen = std::make_shared<int>(0);
    connect(m_pContextMenu, &QMenu::triggered, this,
            [chosen](QAction* action) { *chosen = CExMenu::CommandId(action); });
    m_pContextMenu->Track(globalPos, [this, chosen](int id) {
        const int command = id > 0 ? id : *chosen;
        if (command > 0)
            OnCommand(command);
    });
}

bool CConfigDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (m_list && watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            // The right button selects the entry under it, then the menu opens there.
            const int row = m_list->row(m_list->itemAt(press->position().toPoint()));
            if (row >= 0 && row != SelectedIndex()) {
                const QSignalBlocker block(m_list);
                m_list->setCurrentRow(row);
                m_nLastClicked = row;
            }
            ShowContextMenu(press->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CConfigDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkinPicture(painter, QPoint(0, 0), m_imgBackground);
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    painter.drawText(TITLE_RECT,
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     Text(m_texts->title));
    DrawSkin(painter, "skins\\/button-close-normal.png", CLOSE_RECT.left(), CLOSE_RECT.top());
    DrawSkin(painter, "skins\\/Config/New-Config.png", 14, 582);
    DrawSkinText(painter, NEW_TEXT, Qt::AlignLeft | Qt::AlignVCenter, Text(m_texts->newText));
    DrawSkin(painter, "skins\\/Config/Del-Config.png", 124, 582);
    DrawSkinText(painter, DELETE_TEXT, Qt::AlignLeft | Qt::AlignVCenter, Text(m_texts->deleteText));
}

void CConfigDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (CLOSE_RECT.contains(point))
        OnConfirm();
    else if (NEW_AREA.contains(point))
        AddProfileEntry();
    else if (DELETE_AREA.contains(point))
        OnDelete();
    // Presses on the popup never reach the main window (no dragging through it).
    event->accept();
}

void CConfigDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogSwallowedKey(event->key())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CConfigDialog::keyReleaseEvent(QKeyEvent* event)
{
    if (IsDialogSwallowedKey(event->key())) {
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

} // namespace zentro
