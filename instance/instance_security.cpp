// The security of the single-instance objects: another user's process (or one that created
// the objects first under another account) must neither read a later start's arguments nor
// answer it.
#include "instance/instance_security.h"
#include "base/unique_handle.h"

#include <aclapi.h>

CInstanceSecurity::CInstanceSecurity()
    : m_user(), m_accessList(), m_descriptor(), m_attributes(), m_bValid(false)
{
    HANDLE hToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return;
    const CUniqueHandle token(hToken);
    DWORD size = 0;
    if (!GetTokenInformation(hToken, TokenUser, m_user, sizeof(m_user), &size))
        return;
    PACL pAccessList = reinterpret_cast<PACL>(m_accessList);
    if (!InitializeAcl(pAccessList, sizeof(m_accessList), ACL_REVISION) ||
        !AddAccessAllowedAce(pAccessList, ACL_REVISION, GENERIC_ALL, User()) ||
        !InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorOwner(&m_descriptor, User(), FALSE) ||
        !SetSecurityDescriptorDacl(&m_descriptor, TRUE, pAccessList, FALSE))
        return;
    m_attributes.nLength = sizeof(m_attributes);
    m_attributes.lpSecurityDescriptor = &m_descriptor;
    m_attributes.bInheritHandle = FALSE;
    m_bValid = true;
}

SECURITY_ATTRIBUTES* CInstanceSecurity::Attributes()
{
    return m_bValid ? &m_attributes : nullptr;
}

bool CInstanceSecurity::IsOwnedByCurrentUser(HANDLE hObject) const
{
    PSID pOwner = nullptr;
    PSECURITY_DESCRIPTOR pDescriptor = nullptr;
    if (!m_bValid || GetSecurityInfo(hObject, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &pOwner,
                                     nullptr, nullptr, nullptr, &pDescriptor) != ERROR_SUCCESS)
        return true;
    const bool bOwned = pOwner != nullptr && EqualSid(pOwner, User());
    LocalFree(pDescriptor);
    return bOwned;
}

PSID CInstanceSecurity::User() const
{
    return reinterpret_cast<const TOKEN_USER*>(m_user)->User.Sid;
}
