// The colours of links as the user has set them for the system's browser.
#ifndef JVMHOST_LINK_COLORS_H
#define JVMHOST_LINK_COLORS_H

#include <windows.h>

// A colour written "R,G,B" in decimal; false when the text is not such a colour.
bool ParseColorValue(const wchar_t* pText, COLORREF& color);

// Replaces either colour with the user's "Anchor Color" and "Anchor Color Visited" where
// those are set and valid; otherwise leaves it as it is.
void ReadLinkColors(COLORREF& normal, COLORREF& visited);

#endif
