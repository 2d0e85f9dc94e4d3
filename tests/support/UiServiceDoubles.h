#pragma once

// Test doubles of the window services: preset answers, recorded questions, scripted keys.
// Nothing here ever opens a window of its own, so no test can block on a modal dialog.

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "app/TrayIcon.h"
#include "controls/UiServices.h"

namespace zentro::test {

// Answers from a queue (Cancel when it runs dry, the safe answer; Ok for an Ok-only box) and
// keeps what it was asked.
class CPresetMessageBox final : public IMessageBox {
public:
    struct Question {
        QString text;
        QString caption;
        MessageBoxButtons buttons;
    };
    MessageBoxAnswer Show(QWidget* parent, const QString& text, const QString& caption,
                          MessageBoxButtons buttons) override;
    std::deque<MessageBoxAnswer> answers;
    std::vector<Question> asked;
};

// Chosen file names from queues (cancel when empty); every request is kept.
class CPresetFileDialogs final : public IFileDialogs {
public:
    struct Request {
        bool save;
        QString filter;
        QString initialName;
    };
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<Request> requests;
};

// Chosen colours from a queue (cancel when empty); the initial colours are kept.
class CPresetColorChooser final : public IColorChooser {
public:
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    std::deque<std::optional<QColor>> answers;
    std::vector<QColor> initials;
};

// Keyboard capture whose keys come from the test: Press/Release hand events to the sink of
// a running capture. `failWith` makes Start fail with that error code.
class CScriptedKeyboardCapture final : public IKeyboardCapture {
public:
    bool Start(QWidget* owner, std::function<void(const CapturedKey&)> sink,
               int* errorCode) override;
    void Stop() override;
    bool IsCapturing() const override { return m_capturing; }
    bool IsExclusive() const override { return exclusive; }
    // Delivers one event; false when no capture runs.
    bool Send(const CapturedKey& key);
    bool Press(uint32_t vk, bool extended = false) { return Send({vk, extended, false}); }
    bool Release(uint32_t vk, bool extended = false) { return Send({vk, extended, true}); }
    // A key pressed and released.
    bool Tap(uint32_t vk, bool extended = false)
    {
        return Press(vk, extended) && Release(vk, extended);
    }
    std::optional<int> failWith;
    bool exclusive = true;
    int startCount = 0;
    int stopCount = 0;
    QWidget* owner = nullptr;

private:
    bool m_capturing = false;
    std::function<void(const CapturedKey&)> m_sink;
};

class CRecordingUrlOpener final : public IUrlOpener {
public:
    void Open(const QString& url) override { opened.push_back(url); }
    std::vector<QString> opened;
};

// Keeps every call; double clicks and context menus are injected.
class CRecordingTrayIcon final : public ITrayIcon {
public:
    struct Balloon {
        QString title;
        QString text;
        TrayBalloonIcon icon;
        int timeoutMs;
    };
    void Add(const QIcon& icon, const QString& toolTip) override;
    void Delete() override;
    bool IsAdded() const override { return m_bAdded; }
    void ShowBalloon(const QString& title, const QString& text, TrayBalloonIcon icon,
                     int timeoutMs) override;
    bool IsSystemTrayAvailable() const override { return available; }
    void DoubleClick()
    {
        if (m_bAdded && onDoubleClick)
            onDoubleClick();
    }
    void ContextMenu(const QPoint& globalPos)
    {
        if (m_bAdded && onContextMenu)
            onContextMenu(globalPos);
    }
    bool available = true;
    QString toolTip;
    QIcon icon;
    int addCount = 0;
    int deleteCount = 0;
    std::vector<Balloon> balloons;

private:
    bool m_bAdded = false;
};

// One of each double, and the bundle pointing at them.
struct CTestUiServices {
    CPresetMessageBox messageBox;
    CPresetFileDialogs fileDialogs;
    CPresetColorChooser colorChooser;
    CScriptedKeyboardCapture keyboardCapture;
    CRecordingUrlOpener urlOpener;
    CUiServices Bundle()
    {
        return CUiServices{&messageBox, &fileDialogs, &colorChooser, &keyboardCapture, &urlOpener};
    }
};

} // namespace zentro::test
