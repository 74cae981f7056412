// The JRE Not Found dialog: says which runtime the application needs, links to a download
// site and lets the user pick the folder of a runtime that is already installed.
#ifndef JVMHOST_JRE_NOT_FOUND_DIALOG_H
#define JVMHOST_JRE_NOT_FOUND_DIALOG_H

#include <string>

#include "ui/hyperlink_ctrl.h"
#include "ui/window_framework.h"

// The JVM library of a runtime's home for the JVM type, or empty (as the search resolves it).
typedef std::wstring (*PfnResolveJvmLibrary)(const std::wstring& home, int jvmType);

class CJreNotFoundDialog : public CDialogBase
{
public:
    CJreNotFoundDialog(const std::wstring& message, int jvmType,
                       PfnResolveJvmLibrary pfnResolveJvmLibrary);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // After OK: the folder the user chose, with its backslash, and its JVM library.
    const std::wstring& ChosenHome() const { return m_chosenHome; }
    const std::wstring& ChosenJvmPath() const { return m_chosenJvmPath; }

private:
    void OnInitDialog() override;
    void OnBrowse();
    // Takes a folder the user chose: shows it, resolves its JVM library, enables OK when
    // there is one.
    void UseChosenFolder(const std::wstring& folder);

    std::wstring m_message;
    int m_jvmType;
    PfnResolveJvmLibrary m_pfnResolveJvmLibrary;
    std::wstring m_chosenHome;
    std::wstring m_chosenJvmPath;
    CHyperLinkCtrl m_link;
};

#endif
