#include "app/QtUiServices.h"

#include "app/QtKeyboardCapture.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QRegularExpression>
#include <QUrl>

#include "app/MessageBox.h"

namespace zentro {

QString QtFilterFromWindowsFilter(const QString& filter)
{
    static const QRegularExpression pattern(R"(^\s*(.*?)\s*\(([^)]*)\)\s*$)");
    const QRegularExpressionMatch m = pattern.match(filter);
    if (!m.hasMatch())
        return filter;
    QString patterns = m.captured(2);
    patterns.replace(';', ' ');
    return m.captured(1) + " (" + patterns.simplified() + ")";
}

std::optional<QString> CQtFileDialogs::GetOpenFileName(QWidget* parent, const QString& filter,
                                                       const QString& initialName)
{
    QFileDialog dialog(parent, QString(), QString(), QtFilterFromWindowsFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile); // the file must exist
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> CQtFileDialogs::GetSaveFileName(QWidget* parent, const QString& filter,
                                                       const QString& initialName)
{
    QFileDialog dialog(parent, QString(), QString(), QtFilterFromWindowsFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false); // ask before overwriting
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QColor> CQtColorChooser::ChooseColor(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void CQtUrlOpener::Open(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
}

CQtUiServices::CQtUiServices()
    : m_messageBox(std::make_unique<CQtMessageBox>()),
      m_fileDialogs(std::make_unique<CQtFileDialogs>()),
      m_colorChooser(std::make_unique<CQtColorChooser>()),
      m_keyboardCapture(std::make_unique<CQtKeyboardCapture>()),
      m_urlOpener(std::make_unique<CQtUrlOpener>())
{
    m_bundle.messageBox = m_messageBox.get();
    m_bundle.fileDialogs = m_fileDialogs.get();
    m_bundle.colorChooser = m_colorChooser.get();
    m_bundle.keyboardCapture = m_keyboardCapture.get();
    m_bundle.urlOpener = m_urlOpener.get();
}

CQtUiServices::~CQtUiServices() = default;

} // namespace zentro
