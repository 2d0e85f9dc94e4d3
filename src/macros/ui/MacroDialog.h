#pragma once

#include <QListWidget>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>

#include "controls/SkinnedDialog.h"
#include "controls/UiServices.h"

// CMacroDialog: the dialog of "Macro": a drop-down list of the recorded macros (the names of
// record.ini, at most the twelve the mouse has slots for) and the three run modes. After
// Accepted the caller reads m_nMacro (-1: none chosen), m_nRunMode and m_strMacroName.

namespace zentro {

class CMacroDialog : public CSkinnedDialog {
    Q_OBJECT
public:
    explicit CMacroDialog(const CUiServices& services, QWidget* parent = nullptr);

    int m_nMacro = -1;
    uint8_t m_nRunMode = 0;
    QString m_strMacroName;

    enum { BTN_CLOSE, BTN_OK, BTN_CANCEL };
    static constexpr QRect PROMPT_RECT = QRect(12, 96, 169, 32);
    static constexpr QRect NAME_FIELD_RECT = QRect(42, 128, 94, 16);
    static constexpr QRect DROP_DOWN_AREA = QRect(42, 128, 109, 16);
    static constexpr QRect LIST_RECT = QRect(42, 146, 109, 140);
    static const std::array<QRect, 3> MODE_MARK_RECTS;
    static const std::array<QRect, 3> MODE_TEXT_RECTS;

    // The open drop-down list (control 593), or null while it is closed.
    QListWidget* DropDownList() const { return m_pList; }
    QString ModeText(int mode) const { return m_strModes[mode]; }
    QString PromptText() const { return m_strPrompt; }

protected:
    void PaintContent(QPainter& painter) override;
    bool OnPress(const QPoint& point) override;

private:
    void OpenList();
    void CloseList();
    void OnListSelect(int row);

    CUiServices m_services;
    QString m_strOk;
    QString m_strCancel;
    std::array<QString, 3> m_strModes;
    QString m_strPrompt;
    QPointer<QListWidget> m_pList;
};

} // namespace zentro
