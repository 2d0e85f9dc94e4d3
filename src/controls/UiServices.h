#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

// The system services the windows ask for: message boxes, file dialogs, the colour chooser,
// keyboard capture and opening a web address. Windows only talk to these interfaces; the Qt
// implementations live in app/, and tests hand in doubles with preset answers, so no test
// ever blocks on a modal dialog.

namespace zentro {

enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxAnswer { Ok, Cancel };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MessageBoxAnswer Show(QWidget* parent, const QString& text, const QString& caption,
                                  MessageBoxButtons buttons) = 0;
};

// File open and save dialogs. `filter` is a Windows filter string ("Name(*.ext)"), the initial
// name a file name or path. Empty optional: the user cancelled.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen file must exist.
    virtual std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter,
                                                   const QString& initialName) = 0;
    // Asks before a chosen file that exists is overwritten.
    virtual std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter,
                                                   const QString& initialName) = 0;
};

// The colour chooser: starts at `initial`; empty optional on cancel.
class IColorChooser {
public:
    virtual ~IColorChooser() = default;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
};

// One key event as the low-level keyboard hook sees it: the Windows virtual-key code, whether
// the key is an extended one (right Ctrl and Alt, keypad Enter, the arrows and the block
// above them) and whether it was released.
struct CapturedKey {
    uint32_t vkCode = 0;
    bool extended = false;
    bool released = false;
    uint8_t usage = 0; // USB usage of the key's position; 0 when the platform does not tell
    bool operator==(const CapturedKey&) const = default;
};

// Keyboard capture, the stand-in for the low-level keyboard hook: while it runs, every key
// the user presses goes to `sink` and to no other window. On X11 the keyboard is grabbed, so
// no other program receives the keys; elsewhere the owner listens while it has the focus.
class IKeyboardCapture {
public:
    virtual ~IKeyboardCapture() = default;
    // Starts listening for `owner`. False when capture cannot start; *errorCode then holds a
    // number for the user's message.
    virtual bool Start(QWidget* owner, std::function<void(const CapturedKey&)> sink,
                       int* errorCode) = 0;
    virtual void Stop() = 0;
    virtual bool IsCapturing() const = 0;
    // True when other programs receive no keys while capturing (X11 grab).
    virtual bool IsExclusive() const = 0;
};

class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    virtual void Open(const QString& url) = 0;
};

// The bundle handed to every window and main-window part. None of the pointers is null in the
// program; tests fill the ones they need with doubles (tests/support/UiServiceDoubles.h).
struct CUiServices {
    IMessageBox* messageBox = nullptr;
    IFileDialogs* fileDialogs = nullptr;
    IColorChooser* colorChooser = nullptr;
    IKeyboardCapture* keyboardCapture = nullptr;
    IUrlOpener* urlOpener = nullptr;
};

} // namespace zentro
