// PLACEHOLDER for the JRE search, which is not built yet.
#include "launcher/launcher.h"

// PLACEHOLDER: no JRE source is searched yet, so no launch gets past this point; it fails
// without a message.
bool CLauncher::LocateJvm()
{
    return false;
}
