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
//   - marker sliders: they implement ISliderValue and appear as sliders with a value.
// InstallAccessibility puts the factory that makes these objects in place.

namespace zentro {

// One control painted by a widget.
struct SPaintedControl {
    QRect rect; // in the painting widget's coordinates
    QAccessible::Role role = QAccessible::StaticText;
    QString name; // in the current language
    bool checkable = false;
    bool checked = false;
    QString value; // what the control shows, when it shows a value (a dial's setting)
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

} // namespace zentro
