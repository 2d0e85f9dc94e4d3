#include "settings/ui/PageColumnState.h"

namespace zentro {

int g_nContentHeight = 0;
int g_nEditingStage = -1;

void ResetPageColumnStateForTest()
{
    g_nContentHeight = 0;
    g_nEditingStage = -1;
}

} // namespace zentro
