#pragma once

#include "settings/ui/HalfDialPage.h"

// The pointer-speed page: the half dial over PointerSpeed.

namespace zentro {

class CDlgMouseSpeed : public CHalfDialPage {
    Q_OBJECT
public:
    explicit CDlgMouseSpeed(QWidget* parent = nullptr);
    uint8_t& Field() const override;
};

} // namespace zentro
