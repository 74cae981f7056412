#include "ui/jre_not_found_message.h"
#include "base/text.h"
#include "config/launch_settings.h"
#include "report/error_report.h"
#include "ui/resources/resource.h"

std::wstring DescribeRequiredVersion(const CJavaVersion& minVersion, const CJavaVersion& maxVersion)
{
    const bool noMinimum = minVersion.IsUnset();
    const bool noMaximum = maxVersion.IsUnset();
    if (noMinimum && noMaximum)
        return LoadText(IDS_LATEST_VERSION);
    if (noMinimum)
        return FormatText(LoadText(IDS_MAXIMUM_VERSION), {maxVersion.Format()});
    if (noMaximum)
        return FormatText(LoadText(IDS_MINIMUM_VERSION), {minVersion.Format()});
    if (minVersion.IsEqual(maxVersion))
        return FormatText(LoadText(IDS_EXACT_VERSION), {minVersion.Format()});
    return FormatText(LoadText(IDS_VERSION_BETWEEN), {minVersion.Format(), maxVersion.Format()});
}

std::wstring ComposeJreNotFoundMessage(int jvmType, const CJavaVersion& minVersion,
                                       const CJavaVersion& maxVersion)
{
    const UINT id = jvmType == JvmTypeServer ? IDS_JRE_NOT_FOUND_SERVER : IDS_JRE_NOT_FOUND;
    return FormatText(LoadText(id), {DescribeRequiredVersion(minVersion, maxVersion)});
}
