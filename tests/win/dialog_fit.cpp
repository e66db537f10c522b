#include "dialog_fit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring ClassOf(HWND control)
{
    wchar_t name[64] = L"";
    GetClassNameW(control, name, 64);
    return name;
}

// The text as drawn: "&x" shows x underlined, "&&" one ampersand.
std::wstring Shown(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

std::wstring TextOf(HWND control)
{
    wchar_t text[512] = L"";
    GetWindowTextW(control, text, 512);
    return text;
}

int TextWidth(HWND control, const std::wstring& text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

int ClientWidth(HWND control)
{
    RECT r{};
    GetClientRect(control, &r);
    return r.right - r.left;
}

// What a control draws beside its text, in pixels.
int Beside(HWND control, const std::wstring& cls)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            // The box and the gap between box and text.
            return GetSystemMetrics(SM_CXMENUCHECK) + 4;
        case BS_GROUPBOX:
            // The title sits inside the frame's corners.
            return 16;
        default:
            // The raised edge and the focus rectangle on both sides.
            return 8;
        }
    }
    if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) return GetSystemMetrics(SM_CXVSCROLL) + 6;
    return 0;
}

} // namespace

void ExpectEveryTextFits(HWND dialog)
{
    // The ctest runs per code page say which one they expect.
    if (const char* cp = std::getenv("ZAMVEL_EXPECT_ACP")) {
        EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(cp)));
    }
    int judged = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(c);
        const int room = ClientWidth(c) - Beside(c, cls);
        if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
            const int count = static_cast<int>(SendMessageW(c, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                wchar_t item[256] = L"";
                if (SendMessageW(c, CB_GETLBTEXTLEN, i, 0) >= 256) continue;
                SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                EXPECT_LE(TextWidth(c, item), room) << "item " << i << " of combo box " << GetDlgCtrlID(c);
                ++judged;
            }
            continue;
        }
        if (_wcsicmp(cls.c_str(), L"Button") != 0 && _wcsicmp(cls.c_str(), L"Static") != 0) continue;
        const std::wstring text = Shown(TextOf(c));
        if (text.empty()) continue;
        const int width = TextWidth(c, text);
        std::string utf8(static_cast<size_t>(4 * text.size() + 1), '\0');
        utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(),
                                                            static_cast<int>(utf8.size()), nullptr, nullptr)));
        EXPECT_LE(width, room) << "\"" << utf8.c_str() << "\" (control " << GetDlgCtrlID(c) << ", "
                               << ClientWidth(c) << " px wide, " << Beside(c, cls) << " of them beside the text)";
        ++judged;
    }
    EXPECT_GT(judged, 0) << "the dialog has no texts to judge";
}
