#include "launcher/launcher.h"

void ParseCommandLine(CArgumentList& arguments)
{
    ParseCommandLineText(GetCommandLineW(), arguments);
}
