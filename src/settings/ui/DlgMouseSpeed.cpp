#include "settings/ui/DlgMouseSpeed.h"

#include "profile/ProfileRecord.h"

namespace zentro {

CDlgMouseSpeed::CDlgMouseSpeed(QWidget* parent) : CHalfDialPage(parent)
{
    setObjectName("DlgMouseSpeed");
}

uint8_t& CDlgMouseSpeed::Field() const
{
    return g_ProfileRecord.PointerSpeed;
}

} // namespace zentro
