// PLACEHOLDERS for the splash screen, which is not built yet.
#include "launcher/launcher.h"

// PLACEHOLDER: no splash is shown.
bool CLauncher::ShowSplash()
{
    return true;
}

// PLACEHOLDER: there is no splash window to stop.
void CLauncher::StopNativeSplash() {}
