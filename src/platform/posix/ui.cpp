#include "platform/ui.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace platform {

std::atomic<WindowHandle> hDlgMain{nullptr};

namespace {
// There are no windows on Linux: handles only need to be distinct and non-null.
int hostWindow = 0;
int statusDialog = 0;
std::atomic<bool> dialogShown{false};
} // namespace

bool registerHostClass()
{
    return true;
}

WindowHandle createHostWindow()
{
    return &hostWindow;
}

WindowHandle createStatusDialog(WindowHandle)
{
    hDlgMain = &statusDialog;
    return &statusDialog;
}

void showWindow(WindowHandle window, int showCommand)
{
    if (window == &statusDialog)
        dialogShown = showCommand != ShowCommandHide;
}

void setItemText(WindowHandle dialog, unsigned, const std::string& text)
{
    // A shown status dialog writes its text where a user would see it.
    if (dialog == &statusDialog && dialogShown) {
        std::fprintf(stderr, "[Installer] %s\n", text.c_str());
        std::fflush(stderr);
    }
}

WindowHandle dialogItem(WindowHandle dialog, unsigned)
{
    return dialog;
}

void startTimer(WindowHandle, unsigned, unsigned) {}

void killTimer(WindowHandle, unsigned) {}

bool pumpMessage()
{
    // The only message here is the 100 ms timer tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return true;
}

void messageBox(const std::string& text, const std::string& title, unsigned)
{
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}

void applyJapaneseFont(WindowHandle) {}

} // namespace platform
