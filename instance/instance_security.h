// Who may open the single-instance objects: the current user alone.
#ifndef JVMHOST_INSTANCE_SECURITY_H
#define JVMHOST_INSTANCE_SECURITY_H

#include <windows.h>

class CInstanceSecurity
{
public:
    CInstanceSecurity();
    CInstanceSecurity(const CInstanceSecurity&) = delete;
    CInstanceSecurity& operator=(const CInstanceSecurity&) = delete;

    // For creating an object that only the current user may open (owner and sole entry of
    // its access list); null, so default security, when they could not be made.
    SECURITY_ATTRIBUTES* Attributes();
    // Whether an object that existed already belongs to the current user; true when its owner
    // cannot be read.
    bool IsOwnedByCurrentUser(HANDLE hObject) const;

private:
    PSID User() const;

    // TOKEN_USER of the process's token, and an access list with one entry for it.
    alignas(8) BYTE m_user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    alignas(8) BYTE m_accessList[sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE];
    SECURITY_DESCRIPTOR m_descriptor;
    SECURITY_ATTRIBUTES m_attributes;
    bool m_bValid;
};

#endif
