// Windows, the status dialog, the message loop, timers, message boxes and fonts.
#pragma once

#include <atomic>
#include <string>

namespace platform {

class FileNameWatch;
using WindowHandle = void*;

/// The status dialog; null once it has been destroyed. Read by the worker thread.
extern std::atomic<WindowHandle> hDlgMain;

constexpr int ShowCommandHide = 0;
constexpr int ShowCommandShow = 5;
constexpr unsigned StatusTextId = 104;
constexpr unsigned MessageBoxError = 0x1010;       // MB_OK | MB_ICONHAND | MB_SYSTEMMODAL
constexpr unsigned MessageBoxInformation = 0x30;   // MB_OK | MB_ICONEXCLAMATION

/// true when the host window class "GenericWClass" was registered.
bool registerHostClass();
/// The invisible host window, or null.
WindowHandle createHostWindow();
/// The modeless status dialog "STATUSDIALOG" owned by the host window; also stored in hDlgMain.
WindowHandle createStatusDialog(WindowHandle owner);
void showWindow(WindowHandle window, int showCommand);
/// Sets a dialog control's text, given in UTF-8, so that it shows right on any code page; the
/// status dialog grows when its text needs more room.
void setItemText(WindowHandle dialog, unsigned controlId, const std::string& text);
/// The control's window, or null.
WindowHandle dialogItem(WindowHandle dialog, unsigned controlId);
void startTimer(WindowHandle window, unsigned id, unsigned milliseconds);
void killTimer(WindowHandle window, unsigned id);
/// Waits for and handles one message, or until the watch (if any) notices a change; false when
/// the message was the quit message.
bool pumpMessage(FileNameWatch* watch = nullptr);
/// Shows a message box (texts in UTF-8) with no owner window and waits until it is closed.
void messageBox(const std::string& text, const std::string& title, unsigned flags);
/// The Japanese font step on the window's device context (select, deselect, delete), at the DPI
/// of the window's monitor; the status dialog then shows its text in that font.
void applyJapaneseFont(WindowHandle window);

} // namespace platform
