#include "app/MessageBox.h"

#include <QMessageBox>

namespace zentro {

MessageBoxAnswer CQtMessageBox::Show(QWidget* parent, const QString& text, const QString& caption,
                                     MessageBoxButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, caption, text,
                    buttons == MessageBoxButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                           : QMessageBox::Ok,
                    parent);
    // Enter must not confirm a factory reset by accident: Cancel is the default.
    if (buttons == MessageBoxButtons::OkCancel)
        box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Cancel;
}

} // namespace zentro
