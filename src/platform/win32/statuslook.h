// The status dialog as people see it on today's screens: the system's message font (or the
// Japanese font), the icon and the layout at the DPI of the dialog's monitor, the text never
// clipped. Main thread only.
#pragma once

#include <windows.h>

namespace platform {

/// The window's DPI: its monitor's where the system says so, else the system's.
unsigned windowDpi(HWND window);
/// The Japanese font (16 pt, Shift-JIS) at the DPI.
LOGFONTW japaneseLogFont(unsigned dpi);

/// Takes the dialog as its template laid it out, then lays it out at its DPI, centred.
void initStatusLook(HWND dialog);
/// Lays the dialog out again at the DPI; at the suggested window position when one is given
/// (a DPI change), else centred.
void layoutStatusLook(HWND dialog, unsigned dpi, const RECT* suggested);
/// Shows the status text in the Japanese font from now on.
void useJapaneseLook(HWND dialog);
/// Fits the dialog to its status text, after the text changed.
void fitStatusLook(HWND dialog);

} // namespace platform
