// The process's identity and the restart supervision, decided before the single instance and
// the launch plan: a supervising process takes neither.
#include "plan/process_plan.h"
#include "base/argument_list.h"
#include "base/text.h"
#include "report/message_ids.h"

const wchar_t kRestartSupervisorVariable[] = L"JVMHOST_RESTART_SUPERVISOR";

namespace
{
// Windows takes at most 128 characters, and the shell's links and jump lists no blanks.
const size_t kMaxAppUserModelIdLength = 128;

// Decimal codes, each optionally negative (-1 is 4294967295); false for any other text.
bool ParseExitCodes(const std::wstring& text, std::vector<DWORD>& codes)
{
    CArgumentList pieces;
    SplitString(text, L";", pieces);
    for (size_t i = 0; i < pieces.Count(); ++i)
    {
        const std::wstring piece = TrimWhiteSpace(pieces.At(i));
        if (piece.empty())
            continue;
        const size_t digits = piece.compare(0, 1, L"-") == 0 ? 1 : 0;
        if (piece.size() == digits || piece.size() > digits + 10 ||
            piece.find_first_not_of(L"0123456789", digits) != std::wstring::npos)
            return false;
        const unsigned long long value = std::wcstoull(piece.c_str() + digits, nullptr, 10);
        if (value > 0xFFFFFFFFULL)
            return false;
        codes.push_back(digits == 1 ? 0U - static_cast<DWORD>(value) : static_cast<DWORD>(value));
    }
    return true;
}
} // namespace

void PlanProcess(const SLaunchSettings& settings, const CMachineView& machine, bool bExplain,
                 SProcessPlan& plan)
{
    plan.m_reasons.Restart(bExplain);
    const std::wstring& id = settings.m_appUserModelId;
    if (id.size() > kMaxAppUserModelIdLength || id.find_first_of(L" \t") != std::wstring::npos)
    {
        plan.m_failure = {IDS_BAD_APP_USER_MODEL_ID, {id}};
        return;
    }
    plan.m_appUserModelId = id;
    if (!id.empty())
        plan.m_reasons.Add(L"App User Model ID: " + id);
    if (!ParseExitCodes(settings.m_restartExitCodes, plan.m_restartCodes))
    {
        plan.m_failure = {IDS_BAD_RESTART_EXIT_CODES, {settings.m_restartExitCodes}};
        return;
    }
    std::wstring supervisor;
    plan.m_bSupervised = machine.ReadVariable(kRestartSupervisorVariable, supervisor);
    plan.m_bSupervise = !plan.m_restartCodes.empty() && !plan.m_bSupervised;
    if (plan.m_bSupervise)
        plan.m_reasons.Add(L"restart exit codes " + settings.m_restartExitCodes +
                           L": this process starts the launch and starts it again on one");
    else if (plan.m_bSupervised)
        plan.m_reasons.Add(L"started by the restart supervisor, process " + supervisor);
}
