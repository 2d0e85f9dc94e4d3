#pragma once

#include "settings/ui/HalfDialPage.h"

// The double-click page: the half dial over DoubleClickSpeed; each level chosen on the ring
// writes its angle to the debug output.

namespace zentro {

class CDlgDoubleClick : public CHalfDialPage {
    Q_OBJECT
public:
    explicit CDlgDoubleClick(QWidget* parent = nullptr);
    uint8_t& Field() const override;

protected:
    void OnAngle(double angle) override;
};

} // namespace zentro
