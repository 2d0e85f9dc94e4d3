#pragma once

#include <QString>
#include <QWidget>

class QKeyEvent;

// What every page of the column shares: it is a child of the column without a background of
// its own (the column shows through its transparent pixels, composed by Qt), and its key
// filter swallows Enter, Space, Escape and F1, pressed or released, for the page and every
// control on it, so no page can be closed or sent to help by the keyboard.
//
// The column talks to its pages through this class only: it creates each from one row of its
// page table, shows the record on it and opens or closes its section.

namespace zentro {

class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsPage(QWidget* parent = nullptr);

    // Runs the key filter for `widget` too (controls created on the page).
    void FilterKeysOf(QWidget* widget);

    // The live record was replaced: the page shows it. Pages that draw straight from the
    // record only repaint.
    virtual void LoadFromRecord();
    // Its section closes (true) or opens (false): the page hides or shows.
    virtual void SetCollapsed(bool collapsed);

protected:
    // Called for a swallowed key before it is dropped; the DPI page commits its edit on Enter.
    virtual void OnSwallowedKey(QKeyEvent* event, QWidget* target);

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool FilterKey(QEvent* e, QWidget* target);
};

} // namespace zentro
