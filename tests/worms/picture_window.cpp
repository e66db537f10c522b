// A full-screen window titled "Picture" that shows a recognisable picture
// (blue and khaki halves, a white disc in the middle) for the end-to-end
// test to put worms on. It keeps wine's desktop up while it runs; it ends on
// WM_CLOSE (xdotool key alt+F4) or when killed.
#include <windows.h>

namespace {

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    const int w = r.right, h = r.bottom;
    HBRUSH blue = CreateSolidBrush(RGB(0x40, 0x60, 0xA0));
    HBRUSH khaki = CreateSolidBrush(RGB(0xD0, 0xC0, 0x80));
    RECT left{0, 0, w / 2, h}, right{w / 2, 0, w, h};
    FillRect(dc, &left, blue);
    FillRect(dc, &right, khaki);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const int radius = h / 5;
    Ellipse(dc, w / 2 - radius, h / 2 - radius, w / 2 + radius, h / 2 + radius);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(blue);
    DeleteObject(khaki);
    EndPaint(window, &ps);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "ZamvelPicture";
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Picture", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
