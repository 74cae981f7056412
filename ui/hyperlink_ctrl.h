// A static text control of a dialog turned into a link: underlined text in the link colour,
// a hand cursor and a tooltip over the text, opened with the shell by click, Enter or space.
#ifndef JVMHOST_HYPERLINK_CTRL_H
#define JVMHOST_HYPERLINK_CTRL_H

#include <string>

#include "base/unique_handle.h"
#include "ui/window_framework.h"

class CHyperLinkCtrl : public CWindowBase
{
public:
    // State bits.
    static const BYTE kStateVisited = 0x02;

    CHyperLinkCtrl();

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Prepares the subclassed control: cursor, fonts, tooltip, label, target and colours.
    void Attach();
    bool SetTarget(const std::wstring& target);
    bool OpenTarget();

    std::wstring m_pszText;
    std::wstring m_pszTarget;
    CUniqueCursor m_hHandCursor;
    CUniqueFont m_hUnderlineFont;
    HFONT m_hTextFont;
    RECT m_rcText;
    // Owned by the control's window, which destroys it first when it is destroyed.
    CUniqueWindow m_hToolTip;
    COLORREF m_crNormal;
    COLORREF m_crVisited;
    BYTE m_fState;

private:
    void MeasureText();
    void PaintLink(HDC hDc);
    UINT AlignmentFlags() const;
    const std::wstring& ShownText() const;
    bool IsOverText(POINT point) const;
    void Repaint(bool updateNow);
};

#endif
