#pragma once

#include <QString>

#include <deque>
#include <vector>

class QWidget;

// Questions and notices in message boxes. The window asks through this interface, so tests
// give preset answers and never block on a modal box.

namespace zentro {

enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxAnswer { Ok, Cancel };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MessageBoxAnswer Show(QWidget* parent, const QString& text, const QString& caption,
                                  MessageBoxButtons buttons) = 0;
};

class CQtMessageBox final : public IMessageBox {
public:
    MessageBoxAnswer Show(QWidget* parent, const QString& text, const QString& caption,
                          MessageBoxButtons buttons) override;
};

// Test double: answers from a queue (Cancel when it runs dry, the safe answer) and keeps what
// it was asked.
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

} // namespace zentro
