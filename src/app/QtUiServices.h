#pragma once

#include <memory>

#include "controls/UiServices.h"

// The Qt implementations of the services bundle: the only place that opens system dialogs.

namespace zentro {

class CQtFileDialogs final : public IFileDialogs {
public:
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
};

class CQtColorChooser final : public IColorChooser {
public:
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
};

class CQtUrlOpener final : public IUrlOpener {
public:
    void Open(const QString& url) override;
};

// Owns one of each Qt service and hands out the bundle.
class CQtUiServices {
public:
    CQtUiServices();
    ~CQtUiServices();
    const CUiServices& Bundle() const { return m_bundle; }

private:
    std::unique_ptr<IMessageBox> m_messageBox;
    std::unique_ptr<IFileDialogs> m_fileDialogs;
    std::unique_ptr<IColorChooser> m_colorChooser;
    std::unique_ptr<IKeyboardCapture> m_keyboardCapture;
    std::unique_ptr<IUrlOpener> m_urlOpener;
    CUiServices m_bundle;
};

// A Windows filter "Name(*.a;*.b)" as a Qt file-dialog filter "Name (*.a *.b)".
QString QtFilterFromWindowsFilter(const QString& filter);

} // namespace zentro
