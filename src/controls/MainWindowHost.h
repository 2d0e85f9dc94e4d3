#pragma once

class QWidget;

// What a part of the main window may ask of the window that holds it. Parts see this, never
// the window itself; the window implements it.

namespace zentro {

class IMainWindowHost {
public:
    // The window's widget: parent of the part's controls and dialogs, and what the part
    // repaints when its drawing in the window changes.
    virtual QWidget* Widget() = 0;
    // The live record was replaced as a whole: every part shows it. With `collapse` the panels
    // and sections close first, as after a reset or a restore from the tray.
    virtual void RefreshFromRecord(bool collapse = false) = 0;
    // Clears the button highlight (every part is told).
    virtual void ClearButtonHighlight() = 0;
    // The panels below the assignment panel move down by `shift` pixels (0: back up).
    virtual void SetLeftColumnShift(int shift) = 0;
    // A popup covers the left column, or leaves it: every part hides or shows its controls there.
    virtual void SetLeftColumnCovered(bool covered) = 0;
    // Whether the left column is covered (the profile list is open).
    virtual bool IsProfileListOpen() const = 0;
    // Whether a transfer to the mouse runs (Apply, Reset): the record must not change then.
    virtual bool IsTransferring() const = 0;

protected:
    ~IMainWindowHost() = default;
};

} // namespace zentro
