#include "platform/win32/statuslook.h"

#include <algorithm>
#include <vector>

#include "platform/ui.h"
#include "platform/win32/instance.h"

namespace platform {

namespace {

constexpr unsigned DefaultDpi = 96;
constexpr int JapaneseFontPoints = 16;
constexpr BYTE JapaneseFontFamily = FF_ROMAN | DEFAULT_PITCH;
constexpr const wchar_t* IconName = L"IDI_ICON1";
constexpr const wchar_t* BaseUnitSample = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr UINT TextFormat = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS; // as a centred static draws

// The one status dialog: its template's geometry in pixels of the template's font, and what it
// shows now. Only the main thread touches it.
struct Look {
    HWND dialog = nullptr;
    SIZE templateBase{};  // dialog base units of the template's font
    RECT templateClient{};
    RECT templateText{};
    POINT templateIcon{};
    unsigned dpi = DefaultDpi;
    bool japanese = false;
    HFONT font = nullptr;
    HICON icon = nullptr;
};
Look look;

// Functions of Windows 10 (1607 and later), looked up so that older systems still start.
template <typename Function>
Function user32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

unsigned systemDpi()
{
    HDC screen = GetDC(nullptr);
    unsigned dpi = static_cast<unsigned>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi != 0 ? dpi : DefaultDpi;
}

LOGFONTW messageLogFont(unsigned dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    // The system gives it for its own DPI; the dialog's monitor may have another.
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
    return font;
}

// Dialog base units of the font (average letter width, line height), as dialogs compute them.
SIZE baseUnits(HDC context, HFONT font)
{
    HGDIOBJ previous = SelectObject(context, font);
    SIZE sample{};
    GetTextExtentPoint32W(context, BaseUnitSample, 52, &sample);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    return SIZE{(sample.cx / 26 + 1) / 2, metrics.tmHeight};
}

HWND iconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) != static_cast<int>(StatusTextId))
            return child;
    return nullptr;
}

RECT childRect(HWND dialog, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring windowText(HWND window)
{
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// The text's extent in the font at that width, in the format of DrawText.
SIZE textExtent(HDC context, HFONT font, const std::wstring& text, LONG width, UINT format)
{
    HGDIOBJ previous = SelectObject(context, font);
    RECT rect{0, 0, width, 0};
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    SelectObject(context, previous);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT windowRectFor(HWND dialog, LONG clientWidth, LONG clientHeight, unsigned dpi)
{
    RECT rect{0, 0, clientWidth, clientHeight};
    auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    if (auto adjust = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi"))
        adjust(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

} // namespace

unsigned windowDpi(HWND window)
{
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    if (auto forWindow = user32Function<GetDpiForWindowCall>("GetDpiForWindow"))
        if (unsigned dpi = forWindow(window))
            return dpi;
    return systemDpi();
}

LOGFONTW japaneseLogFont(unsigned dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(JapaneseFontPoints, static_cast<int>(dpi), 72);
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = JapaneseFontFamily;
    return font;
}

void initStatusLook(HWND dialog)
{
    if (look.dialog != nullptr && !IsWindow(look.dialog)) {
        // The fonts and icon of a dialog that has gone.
        DeleteObject(look.font);
        DestroyIcon(look.icon);
    }
    look = Look{};
    look.dialog = dialog;
    RECT base{0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    look.templateBase = SIZE{base.right, base.bottom};
    GetClientRect(dialog, &look.templateClient);
    look.templateText = childRect(dialog, GetDlgItem(dialog, static_cast<int>(StatusTextId)));
    RECT icon = childRect(dialog, iconControl(dialog));
    look.templateIcon = POINT{icon.left, icon.top};
    layoutStatusLook(dialog, windowDpi(dialog), nullptr);
}

void layoutStatusLook(HWND dialog, unsigned dpi, const RECT* suggested)
{
    if (dialog != look.dialog || dpi == 0)
        return;
    look.dpi = dpi;
    LOGFONTW message = messageLogFont(dpi);
    HFONT messageFont = CreateFontIndirectW(&message);
    LOGFONTW japanese = japaneseLogFont(dpi);
    HFONT textFont = look.japanese ? CreateFontIndirectW(&japanese) : messageFont;
    HDC context = GetDC(dialog);
    SIZE base = baseUnits(context, messageFont);
    // The template's geometry, from its font's units to the message font's at this DPI.
    auto x = [&](LONG value) -> LONG { return MulDiv(value, base.cx, std::max<LONG>(look.templateBase.cx, 1)); };
    auto y = [&](LONG value) -> LONG { return MulDiv(value, base.cy, std::max<LONG>(look.templateBase.cy, 1)); };
    HWND text = GetDlgItem(dialog, static_cast<int>(StatusTextId));
    RECT textRect{x(look.templateText.left), y(look.templateText.top), x(look.templateText.right),
                  y(look.templateText.bottom)};
    // A text longer than the template allows widens the control, and the dialog with it, so that
    // each of its lines stays one line; then it grows as high as the lines need.
    const std::wstring shown = windowText(text);
    SIZE lines = textExtent(context, textFont, shown, 0, TextFormat & ~DT_WORDBREAK);
    textRect.right = textRect.left + std::max(textRect.right - textRect.left, lines.cx);
    SIZE extent = textExtent(context, textFont, shown, textRect.right - textRect.left, TextFormat);
    textRect.bottom = textRect.top + std::max(textRect.bottom - textRect.top, extent.cy);
    ReleaseDC(dialog, context);
    LONG clientWidth =
        std::max(x(look.templateClient.right), textRect.right + x(look.templateClient.right - look.templateText.right));
    LONG clientHeight = std::max(y(look.templateClient.bottom), textRect.bottom + y(look.templateText.top));

    int iconSize = MulDiv(GetSystemMetrics(SM_CXICON), static_cast<int>(dpi), static_cast<int>(systemDpi()));
    HICON icon = static_cast<HICON>(LoadImageW(hInst, IconName, IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR));
    if (HWND iconWindow = iconControl(dialog)) {
        SendMessageW(iconWindow, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        SetWindowPos(iconWindow, nullptr, x(look.templateIcon.x), y(look.templateIcon.y), iconSize, iconSize,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(textFont), TRUE);
    SetWindowPos(text, nullptr, textRect.left, textRect.top, textRect.right - textRect.left,
                 textRect.bottom - textRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (textFont != messageFont)
        DeleteObject(messageFont);
    DeleteObject(look.font);
    DestroyIcon(look.icon);
    look.font = textFont;
    look.icon = icon;

    // The host window lies under the dialog with the same rectangle.
    RECT frame = windowRectFor(dialog, clientWidth, clientHeight, dpi);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int left = suggested != nullptr ? suggested->left : (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2;
    int top = suggested != nullptr ? suggested->top : (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2;
    for (HWND window : {GetParent(dialog), dialog})
        if (window != nullptr)
            SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Nothing of the old layout may stay on screen.
    RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void useJapaneseLook(HWND dialog)
{
    if (dialog != look.dialog || look.japanese)
        return;
    look.japanese = true;
    layoutStatusLook(dialog, look.dpi, nullptr);
}

void fitStatusLook(HWND dialog)
{
    layoutStatusLook(dialog, look.dpi, nullptr);
}

} // namespace platform
