#pragma once

#include "controls/UiServices.h"

// The message box of the program: a modal Qt box.

namespace zentro {

class CQtMessageBox final : public IMessageBox {
public:
    MessageBoxAnswer Show(QWidget* parent, const QString& text, const QString& caption,
                          MessageBoxButtons buttons) override;
};

} // namespace zentro
