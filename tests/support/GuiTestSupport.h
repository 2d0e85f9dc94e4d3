#pragma once

#include "controls/SkinImage.h"
#include "controls/WinMessage.h"
#include "platform/ExeDir.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace zentro::test {

// A temporary program directory that GetExeDir() points at while it lives; pictures are made
// in code, so no test depends on the real skin.
class CTempProgramDir {
public:
    CTempProgramDir()
    {
        SetExeDirOverride(m_dir.path().toStdString());
        ClearSkinImageCache();
    }
    ~CTempProgramDir()
    {
        ClearSkinImageCache();
        SetExeDirOverride("");
    }
    QString Path() const { return m_dir.path() + "/"; }

    // Saves image as a PNG at the relative path (forward slashes, exact case); returns the
    // full path.
    QString Save(const QString& relative, const QImage& image) const
    {
        const QString full = Path() + relative;
        QDir().mkpath(QFileInfo(full).path());
        EXPECT_TRUE(image.save(full, "PNG")) << full.toStdString();
        return full;
    }

private:
    QTemporaryDir m_dir;
};

inline QImage SolidImage(int w, int h, QRgb argb)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(argb);
    return image;
}

struct RecordedMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

// A parent window that records every window message it receives.
class CMessageRecorder : public QWidget {
public:
    CMessageRecorder() { resize(400, 300); }

    std::vector<RecordedMessage> messages;

    std::vector<RecordedMessage> Of(uint32_t msg) const
    {
        std::vector<RecordedMessage> out;
        for (const auto& m : messages) {
            if (m.msg == msg) {
                out.push_back(m);
            }
        }
        return out;
    }

    // Shows the window and makes it the active one, as a user's window would be.
    void ShowActive()
    {
        show();
        activateWindow();
        QApplication::processEvents();
        if (QApplication::activeWindow() != this) {
            QApplication::setActiveWindow(this);
        }
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == CWinMessageEvent::EventType()) {
            auto* m = static_cast<CWinMessageEvent*>(e);
            messages.push_back({m->message(), m->wParam(), m->lParam()});
            return true;
        }
        return QWidget::event(e);
    }
};

// Delivers everything posted so far.
inline void DeliverPosted()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace zentro::test
