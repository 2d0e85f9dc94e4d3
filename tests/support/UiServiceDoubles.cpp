#include "support/UiServiceDoubles.h"

namespace zentro::test {

MessageBoxAnswer CPresetMessageBox::Show(QWidget*, const QString& text, const QString& caption,
                                         MessageBoxButtons buttons)
{
    asked.push_back({text, caption, buttons});
    if (answers.empty())
        return buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Cancel;
    const MessageBoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

template <class T> std::optional<T> Next(std::deque<std::optional<T>>& queue)
{
    // The answer is moved out of its slot rather than the slot copied: GCC 12 takes the copy
    // of an optional QString for a read of uninitialised memory.
    if (queue.empty())
        return std::nullopt;
    const bool answered = queue.front().has_value();
    T value = answered ? std::move(*queue.front()) : T();
    queue.pop_front();
    if (!answered)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QString> CPresetFileDialogs::GetOpenFileName(QWidget*, const QString& filter,
                                                           const QString& initialName)
{
    requests.push_back({false, filter, initialName});
    return Next(openAnswers);
}

std::optional<QString> CPresetFileDialogs::GetSaveFileName(QWidget*, const QString& filter,
                                                           const QString& initialName)
{
    requests.push_back({true, filter, initialName});
    return Next(saveAnswers);
}

std::optional<QColor> CPresetColorChooser::ChooseColor(QWidget*, const QColor& initial)
{
    initials.push_back(initial);
    return Next(answers);
}

bool CScriptedKeyboardCapture::Start(QWidget* newOwner,
                                     std::function<void(const CapturedKey&)> sink, int* errorCode)
{
    ++startCount;
    if (failWith) {
        if (errorCode)
            *errorCode = *failWith;
        return false;
    }
    owner = newOwner;
    m_sink = std::move(sink);
    m_capturing = true;
    return true;
}

void CScriptedKeyboardCapture::Stop()
{
    ++stopCount;
    m_capturing = false;
    m_sink = nullptr;
    owner = nullptr;
}

bool CScriptedKeyboardCapture::Send(const CapturedKey& key)
{
    if (!m_capturing || !m_sink)
        return false;
    auto sink = m_sink; // the sink may stop the capture
    sink(key);
    return true;
}

void CRecordingTrayIcon::Add(const QIcon& newIcon, const QString& newToolTip)
{
    ++addCount;
    icon = newIcon;
    toolTip = newToolTip;
    m_bAdded = true;
}

void CRecordingTrayIcon::Delete()
{
    ++deleteCount;
    m_bAdded = false;
}

void CRecordingTrayIcon::ShowBalloon(const QString& title, const QString& text,
                                     TrayBalloonIcon balloonIcon, int timeoutMs)
{
    if (!m_bAdded)
        return;
    balloons.push_back({title, text, balloonIcon, timeoutMs});
}

} // namespace zentro::test
