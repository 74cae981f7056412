// Hand-off to the pair product, the launcher of the other processor width that "Pair
// Product" names, or to the ARM64 launcher, when the JVM found is one only it can load.
#ifndef JVMHOST_PAIR_PRODUCT_H
#define JVMHOST_PAIR_PRODUCT_H

#include "config/launch_settings.h"
#include "report/reporter.h"

#include <string>

// Starts the launcher at pairProduct with this launch's own arguments; its exit code when
// "Pair Return Code" asks for it, else 0; kExitFailure after a message when it cannot start.
DWORD StartPairProduct(const SLaunchSettings& settings, const std::wstring& pairProduct,
                       const std::wstring& modulePath, CReporter& reporter);

#endif
