// uiprobe.exe: shows the status dialog with a text outside the ANSI code page for a few
// seconds, then an information box; exits 0 when the dialog kept the text intact.
// It lets the GUI runner (run-gui.sh) prove its screenshot and message-box closing.
#include <windows.h>

#include <string>

#include "platform/ui.h"
#include "platform/win32/instance.h"
#include "platform/win32/widetext.h"

namespace {

constexpr unsigned TimerId = 1;
constexpr unsigned TickMilliseconds = 100;
constexpr ULONGLONG VisibleMilliseconds = 3000;
// Polish letters that code page 1252 lacks, in UTF-8.
const std::string ProbeText = "Prosz\xC4\x99 czeka\xC4\x87: \xC5\x81\xC3\xB3""d\xC5\xBA";

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    hInst = instance;
    if (!platform::registerHostClass())
        return 2;
    platform::WindowHandle host = platform::createHostWindow();
    platform::WindowHandle dialog = platform::createStatusDialog(host);
    if (host == nullptr || dialog == nullptr)
        return 3;
    platform::showWindow(host, showCommand);
    platform::showWindow(dialog, platform::ShowCommandShow);
    platform::setItemText(dialog, platform::StatusTextId, ProbeText);

    wchar_t shown[200] = {};
    GetDlgItemTextW(static_cast<HWND>(dialog), platform::StatusTextId, shown, 200);
    bool intact = platform::widen(ProbeText) == shown;

    platform::startTimer(host, TimerId, TickMilliseconds);
    ULONGLONG until = GetTickCount64() + VisibleMilliseconds;
    while (GetTickCount64() < until && platform::pumpMessage()) {
    }
    platform::killTimer(host, TimerId);
    platform::messageBox(ProbeText, "Quillbox Installer", platform::MessageBoxInformation);
    return intact ? 0 : 1;
}
