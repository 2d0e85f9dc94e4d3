#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

#include <vector>

// What assistive technology (a screen reader on the desktop's AT-SPI bus) learns of the
// program's own controls. Skinned buttons are QAbstractButtons and speak for themselves (their
// accessible name is their caption, or what they do where they show none). Two kinds need help:
//   - controls a window paints itself instead of making child widgets (check boxes, radio
//     buttons, dials): the window implements IPaintedControls and each painted control appears
//     as a child of the window's accessible object, with its role, name and state;
//   - marker sliders: they implement ISliderValue and appear as sliders with a value;
//   - lists of texts (QListWidget, the owner-drawn CListBoxEx among them): a list named by its
//     accessibleName(), its entries as list items named by their text, with their selected
//     and focused state and their place; child k is row k; an edit field open over an entry
//     (renaming it in place) follows the entries.
// InstallAccessibility puts the factory that makes these objects in place.
//
// Changes are announced as they happen, so a screen reader speaks them: a page that paints
// controls compares them before and after each input event (NotifyPaintedChanges: a check box
// or radio button toggled, a value changed), a marker slider tells each new position
// (NotifySliderValue), and a list's selection and current entry are told by the list view
// itself (selection add/remove and focus events naming the row). Nothing is sent while no
// assistive technology listens.

namespace zentro {

// One control painted by a widget.
struct SPaintedControl {
    QRect rect; // in the painting widget's coordinates
    QAccessible::Role role = QAccessible::StaticText;
    QString name; // in the current language
    bool checkable = false;
    bool checked = false;
    QString value; // what the control shows, when it shows a value (a dial's setting)
    // A control whose value begins with a number in minimum..maximum (maximum > minimum) also
    // answers as a value (a dial's level, "500 Hz"), so a change of it is read out.
    int minimum = 0;
    int maximum = 0;
};

class IPaintedControls {
public:
    virtual ~IPaintedControls() = default;
    // The painted controls in their current state, in reading order. The count may change;
    // a screen reader asks again after each change of the tree.
    virtual std::vector<SPaintedControl> PaintedControls() const = 0;
};

class ISliderValue {
public:
    virtual ~ISliderValue() = default;
    virtual int SliderMinimum() const = 0;
    virtual int SliderMaximum() const = 0;
    virtual int SliderValue() const = 0;
};

// Installs the program's accessibility factory (once; later calls do nothing). Call before any
// window is shown; the program and the window tests call it at start.
void InstallAccessibility();

// Posts the events that tell assistive technology how the painted controls of `widget` (an
// IPaintedControls) changed from `before` to `after` (both PaintedControls() answers): a
// state change for each control whose checked state changed, a value change for each whose
// value changed. Controls are matched by position in the list; a list of another length is a
// change of the tree, told as such.
void NotifyPaintedChanges(QWidget* widget, const std::vector<SPaintedControl>& before,
                          const std::vector<SPaintedControl>& after);
// Posts a value change for a marker slider (an ISliderValue widget).
void NotifySliderValue(QWidget* slider);

} // namespace zentro
