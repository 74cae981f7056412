// PLACEHOLDERS for single-instance coordination, which is not built yet: every launch runs
// as an ordinary, independent instance.
#include "launcher/launcher.h"

// PLACEHOLDER: single-instance mode stays off.
bool CLauncher::SetupSingleInstance()
{
    return true;
}

// PLACEHOLDER: never reached while single-instance mode stays off.
DWORD CLauncher::WaitForPrimaryInstance()
{
    return kExitFailure;
}

// PLACEHOLDER: there is no listener to stop.
void CLauncher::StopInstanceListener() {}
