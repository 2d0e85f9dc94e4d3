#include "settings/ui/DlgDoubleClick.h"

#include "platform/DebugLog.h"
#include "profile/ProfileRecord.h"

namespace zentro {

CDlgDoubleClick::CDlgDoubleClick(QWidget* parent) : CHalfDialPage(parent)
{
    setObjectName("DlgDoubleClick");
}

uint8_t& CDlgDoubleClick::Field() const
{
    return g_ProfileRecord.DoubleClickSpeed;
}

void CDlgDoubleClick::OnAngle(double angle)
{
    DebugPrintf("angle/18:angle=%f,angle/18=%d\n", angle, static_cast<int>(angle / 18));
}

} // namespace zentro
