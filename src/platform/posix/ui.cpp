#include "platform/ui.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include <poll.h>

#include "platform/filewatch.h"

namespace platform {

std::atomic<WindowHandle> hDlgMain{nullptr};

namespace {
// There are no windows on Linux: handles only need to be distinct and non-null.
int hostWindow = 0;
int statusDialog = 0;
std::atomic<bool> dialogShown{false};
int timerPeriod = 100; // ms, the period of the timer last started
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

void startTimer(WindowHandle, unsigned, unsigned milliseconds)
{
    timerPeriod = static_cast<int>(milliseconds);
}

void killTimer(WindowHandle, unsigned) {}

bool pumpMessage(FileNameWatch* watch)
{
    // The only message here is the timer tick; a change the watch notices comes sooner.
    if (watch == nullptr || !watch->active()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(timerPeriod));
        return true;
    }
    pollfd change = {static_cast<int>(watch->handle()), POLLIN, 0};
    if (::poll(&change, 1, timerPeriod) > 0)
        watch->rearm();
    return true;
}

void messageBox(const std::string& text, const std::string& title, unsigned)
{
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}

void applyJapaneseFont(WindowHandle) {}

} // namespace platform
