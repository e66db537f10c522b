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

void DeleteRegistryTree(const char* path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

namespace {

// One catcher at a time per thread; the hook procedure finds it here.
struct CatcherState {
    HHOOK Hook = nullptr;
    std::vector<MessageBoxCatcher::Box> Boxes;
};
CatcherState* ActiveCatcher = nullptr;

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
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
