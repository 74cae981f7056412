// PLACEHOLDERS for the JVM start-up steps that are not built yet. Each does nothing, or
// fails, and is replaced by its real implementation in this folder.
#include "launcher/launcher.h"

// PLACEHOLDER: the process environment ("Path", the variables naming the JVM) and the native
// library path option are not prepared yet.
void CLauncher::PrepareEnvironment() {}

// PLACEHOLDER: class path and VM options are not built yet; no option is added.
bool CLauncher::BuildVmOptions()
{
    return true;
}

// PLACEHOLDER: VM creation is not built yet; it fails without a message.
bool CLauncher::CreateJvm()
{
    return false;
}

// PLACEHOLDER: the main class is not invoked yet.
bool CLauncher::InvokeMainClass()
{
    return false;
}
