#include "platform/ui.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>

#include "platform/filewatch.h"
#include "platform/win32/instance.h"
#include "platform/win32/statuslook.h"
#include "platform/win32/widetext.h"

HINSTANCE hInst = nullptr;

namespace platform {

std::atomic<WindowHandle> hDlgMain{nullptr};

namespace {

constexpr const char* HostClassName = "GenericWClass";
constexpr const char* IconName = "IDI_ICON1";
constexpr const wchar_t* StatusDialogName = L"STATUSDIALOG";

HWND hwnd(WindowHandle window)
{
    return static_cast<HWND>(window);
}

} // namespace

/// Procedure of the invisible host window.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS:
        if (HWND dialog = hwnd(hDlgMain.load()))
            SetFocus(dialog);
        return 0;
    case WM_TIMER:
        // The timer only wakes the message loop so that the caller looks at its markers.
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

/// Procedure of the status dialog.
INT_PTR CALLBACK StatusDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // Laid out for its monitor's DPI and centred, the host window under it.
        initStatusLook(dialog);
        return TRUE;
    case WM_DPICHANGED:
        layoutStatusLook(dialog, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        hDlgMain = nullptr;
        return FALSE;
    case WM_COMMAND:
        if (wParam != IDCANCEL)
            return FALSE;
        // Posted, not a close request: the host window then ends the message loop's phase.
        PostMessageA(GetParent(dialog), WM_DESTROY, 0, 0);
        DestroyWindow(dialog);
        hDlgMain = nullptr;
        return FALSE;
    case WM_DESTROY:
        // The dialog also dies with its owner window; the worker must never see a stale handle.
        if (hDlgMain.load() == dialog)
            hDlgMain = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}

bool registerHostClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = hInst;
    windowClass.hIcon = LoadIconA(hInst, IconName);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = "";
    windowClass.lpszClassName = HostClassName;
    return RegisterClassA(&windowClass) != 0;
}

WindowHandle createHostWindow()
{
    return CreateWindowExA(0, HostClassName, nullptr, WS_POPUP, CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr, hInst,
                           nullptr);
}

WindowHandle createStatusDialog(WindowHandle owner)
{
    // A Unicode dialog: its controls then keep UTF-16 text, so letters outside the ANSI code
    // page (Polish, Japanese) survive setItemText.
    HWND dialog = CreateDialogParamW(hInst, StatusDialogName, hwnd(owner), StatusDialog, 0);
    hDlgMain = dialog;
    return dialog;
}

void showWindow(WindowHandle window, int showCommand)
{
    ShowWindow(hwnd(window), showCommand);
}

void setItemText(WindowHandle dialog, unsigned controlId, const std::string& text)
{
    SetDlgItemTextW(hwnd(dialog), static_cast<int>(controlId), widen(text).c_str());
    fitStatusLook(hwnd(dialog));
}

WindowHandle dialogItem(WindowHandle dialog, unsigned controlId)
{
    return GetDlgItem(hwnd(dialog), static_cast<int>(controlId));
}

void startTimer(WindowHandle window, unsigned id, unsigned milliseconds)
{
    SetTimer(hwnd(window), id, milliseconds, nullptr);
}

void killTimer(WindowHandle window, unsigned id)
{
    KillTimer(hwnd(window), id);
}

bool pumpMessage(FileNameWatch* watch)
{
    MSG message;
    for (;;) {
        // Queued messages first: the wait below would not wake for input that is already there.
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            break;
        HANDLE change = watch != nullptr && watch->active() ? reinterpret_cast<HANDLE>(watch->handle()) : nullptr;
        DWORD handles = change != nullptr ? 1 : 0;
        DWORD woke = MsgWaitForMultipleObjectsEx(handles, &change, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (handles == 1 && woke == WAIT_OBJECT_0) {
            watch->rearm();
            return true;
        }
        if (woke == WAIT_FAILED) {
            // 0 is the quit message; -1 (an error) must end the loop too, or it would spin for ever.
            if (GetMessageA(&message, nullptr, 0, 0) <= 0)
                return false;
            break;
        }
    }
    if (message.message == WM_QUIT)
        return false;
    HWND dialog = hwnd(hDlgMain.load());
    if (dialog != nullptr && IsDialogMessageA(dialog, &message))
        return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void messageBox(const std::string& text, const std::string& title, unsigned flags)
{
    // Unattended test runs ask for the box on standard error, as the Linux build shows it.
    const char* where = std::getenv("QBX_MESSAGE_BOXES");
    if (where != nullptr && std::string(where) == "stderr") {
        // Plain writes: a formatted print would bring the runtime's whole printf engine along.
        std::fputs(("[" + title + "] ").c_str(), stderr);
        std::fputs(text.c_str(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
        return;
    }
    MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), flags);
}

void applyJapaneseFont(WindowHandle window)
{
    HDC context = GetDC(hwnd(window));
    if (context == nullptr)
        return;
    LOGFONTW font = japaneseLogFont(windowDpi(hwnd(window)));
    HFONT created = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(context, created);
    DeleteObject(SelectObject(context, previous));
    ReleaseDC(hwnd(window), context);
    // The status text keeps the font, at the DPI of whatever monitor the dialog is on.
    useJapaneseLook(GetAncestor(hwnd(window), GA_ROOT));
}

} // namespace platform
