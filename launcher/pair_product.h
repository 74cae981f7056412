// Hand-off to the companion executable ("Pair Product") when the JVM found belongs to the
// other processor width.
#ifndef JVMHOST_PAIR_PRODUCT_H
#define JVMHOST_PAIR_PRODUCT_H

#include "config/launch_settings.h"
#include "report/reporter.h"

#include <string>

// Starts the companion with this launch's own arguments; its exit code when "Pair Return
// Code" asks for it, else 0; kExitFailure after a message when it cannot start.
DWORD StartPairProduct(const SLaunchSettings& settings, const std::wstring& modulePath,
                       CReporter& reporter);

#endif
