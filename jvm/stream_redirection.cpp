// Sending the Java program's standard output and error streams into files.
#include "base/path_pieces.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"
#include "jvm/java_vm.h"

static bool RedirectStream(const std::wstring& path, const char* pSetterName, JNIEnv* pEnv,
                           const char* pSecondSetterName = nullptr)
{
    EnsureParentFolders(path);
    return RedirectJavaStream(ToJavaText(path), pSetterName, pEnv, pSecondSetterName);
}

// Whether both settings name one file: the same text, ignoring case.
static bool IsSameFile(const std::wstring& first, const std::wstring& second)
{
    return !first.empty() &&
           CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool CJavaVm::RedirectOutputStream()
{
    // Two streams opened on one file would each write from its start: one file for both is
    // written through one stream, in the order written.
    if (IsSameFile(m_outputFile, m_errorFile))
        return RedirectStream(m_outputFile, "setOut", m_pJniEnv, "setErr");
    return RedirectStream(m_outputFile, "setOut", m_pJniEnv);
}

bool CJavaVm::RedirectErrorStream()
{
    if (IsSameFile(m_outputFile, m_errorFile))
        return true;
    return RedirectStream(m_errorFile, "setErr", m_pJniEnv);
}
