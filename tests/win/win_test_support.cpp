#include "win_test_support.h"

#include <utility>

MemoryCanvas::MemoryCanvas(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    saved_ = SelectObject(dc_, bitmap_);
    Fill(0);
}

MemoryCanvas::~MemoryCanvas()
{
    SelectObject(dc_, saved_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

uint32_t MemoryCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    return bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
}

void MemoryCanvas::Fill(uint32_t rgb)
{
    GdiFlush();
    for (size_t i = 0; i < static_cast<size_t>(width_) * height_; ++i) bits_[i] = rgb;
}

std::vector<uint32_t> MemoryCanvas::Pixels() const
{
    GdiFlush();
    std::vector<uint32_t> out(bits_, bits_ + static_cast<size_t>(width_) * height_);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
}

size_t Lit(const std::vector<uint32_t>& pixels)
{
    size_t n = 0;
    for (uint32_t p : pixels) n += p != 0;
    return n;
}

uint32_t AsColorref(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

SmoothingOn::SmoothingOn()
{
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &was_, 0);
    SystemParametersInfoA(SPI_GETFONTSMOOTHINGTYPE, 0, &type_, 0);
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, TRUE, nullptr, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0, reinterpret_cast<void*>(FE_FONTSMOOTHINGSTANDARD),
                          SPIF_UPDATEINIFILE);
}

SmoothingOn::~SmoothingOn()
{
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(type_)),
                          SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, was_, nullptr, SPIF_UPDATEINIFILE);
}

namespace {

// One catcher at a time per thread; the hook procedure finds it here.
struct CatcherState {
    HHOOK Hook = nullptr;
    std::vector<MessageBoxCatcher::Box> Boxes;
};
CatcherState* ActiveCatcher = nullptr;

// Read through the wide interface, as the user sees it, and kept as UTF-8:
// the same bytes whatever the system's ANSI code page.
std::string WindowText(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    char utf8[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && ActiveCatcher) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[64] = "";
        GetClassNameA(box, cls, sizeof cls);
        // Message boxes are dialogs too; the savers' own dialogs, all
        // captioned "Setting", are left alone.
        if (std::string(cls) == "#32770" && WindowText(box) != "Setting") {
            // The message box's text sits in its static control 0xFFFF.
            HWND label = GetDlgItem(box, 0xFFFF);
            ActiveCatcher->Boxes.push_back({WindowText(box), label ? WindowText(label) : ""});
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(ActiveCatcher ? ActiveCatcher->Hook : nullptr, code, wParam, lParam);
}

} // namespace

MessageBoxCatcher::MessageBoxCatcher()
{
    ActiveCatcher = new CatcherState;
    ActiveCatcher->Hook = SetWindowsHookExA(WH_CBT, CatchBoxes, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    UnhookWindowsHookEx(ActiveCatcher->Hook);
    delete ActiveCatcher;
    ActiveCatcher = nullptr;
}

const std::vector<MessageBoxCatcher::Box>& MessageBoxCatcher::Boxes() const { return ActiveCatcher->Boxes; }

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
}
