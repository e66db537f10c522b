// The shell run in-process with the test saver: modes, the window procedure,
// the preview mapping, the screen as it was, and the start-up failures. The
// tests hold on any number of monitors: ctest runs them on one and on two.
#include "saver_shell.h"
#include "test_saver.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

BOOL ScreenSaveActive()
{
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active;
}

void SetScreenSaveActive(BOOL on) { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0); }

// The cursor's display count, left as it was.
int CursorCount()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

int Monitors() { return GetSystemMetrics(SM_CMONITORS); }

constexpr COLORREF CoverColour = RGB(0x30, 0x60, 0xA0);

// A window in one colour over every monitor, as the desktop a saver finds;
// shown and painted before the run starts.
class Cover {
public:
    Cover()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = brush_;
        wc.lpszClassName = "ShellTestCover";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "Cover", WS_POPUP | WS_VISIBLE,
                                  GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                  nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
        PumpMessages(300);
    }
    ~Cover()
    {
        DestroyWindow(window_);
        UnregisterClassA("ShellTestCover", GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    Cover(const Cover&) = delete;
    Cover& operator=(const Cover&) = delete;

private:
    HBRUSH brush_ = CreateSolidBrush(CoverColour);
    HWND window_ = nullptr;
};

// How many pixels of a window's client area (w x h) have the colour.
int PixelsOf(HWND window, int w, int h, COLORREF colour)
{
    MemoryCanvas copy(w, h);
    HDC dc = GetDC(window);
    BitBlt(copy.Dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) n += AsColorref(copy.Pixel(x, y)) == colour;
    return n;
}

// A stand-in for the display settings' preview: a visible top-level window
// with the classic 152 x 112 client area.
class PreviewParent {
public:
    PreviewParent()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = Instance();
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "ShellTestPreviewParent";
        RegisterClassA(&wc);
        RECT r{0, 0, 152, 112};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        window = CreateWindowExA(0, wc.lpszClassName, "Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance(), nullptr);
    }
    ~PreviewParent()
    {
        if (IsWindow(window)) DestroyWindow(window);
        UnregisterClassA("ShellTestPreviewParent", Instance());
    }
    std::string Switch() const
    {
        return "/p " + std::to_string(reinterpret_cast<UINT_PTR>(window));
    }
    HWND window = nullptr;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The run on two monitors must have them.
        if (const char* m = std::getenv("ZAMVEL_MONITORS")) {
            ASSERT_EQ(Monitors(), std::atoi(m));
        }
        DeleteRegistryTree(TestKeyPath);
        ResetTestSaver();
    }
    int Run(const char* args) { return SaverMain(Instance(), args, TestSaver); }
    TestSettings& s = TheTestSettings;
};

} // namespace

// A key or left click in any window ends the whole run; nothing else does.
TEST_F(ShellTest, RunEndsOnKeyOrLeftClickButNotOnOtherInput)
{
    for (UINT ending : {WM_KEYDOWN, WM_LBUTTONDOWN}) {
        ResetTestSaver();
        bool aliveAfterOtherInput = false;
        s.OnFrame = [&](HWND w, HDC, int frame) {
            if (w != s.Windows.back()) return;
            if (frame == 1)
                for (UINT other : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_SYSKEYDOWN})
                    PostMessageA(w, other, 0, MAKELPARAM(5, 5));
            if (frame == 4) {
                aliveAfterOtherInput = s.CloseQueries == 0;
                PostMessageA(w, ending, 0, 0);
            }
        };
        EXPECT_EQ(Run("/s"), 0);
        EXPECT_TRUE(aliveAfterOtherInput) << "message " << ending;
        EXPECT_EQ(s.CloseQueries, Monitors()) << "every window was asked";
        EXPECT_EQ(s.FramesAfterClose, 0) << "no frame after an allowed close";
        EXPECT_EQ(s.Deletes, Monitors());
        for (HWND w : s.Windows) EXPECT_FALSE(IsWindow(w));
    }
}

// One window per monitor, each covering its monitor, the primary first;
// every instance is prepared before the first window exists.
TEST_F(ShellTest, HooksRunInOrderWithAWindowOnEveryMonitor)
{
    s.WantTimerInterval = 20;
    std::vector<RECT> clients;
    s.OnCreated = [&](HWND w) {
        EXPECT_EQ(s.Prepares, Monitors()) << "Prepare runs before the windows exist";
        EXPECT_EQ(s.Frames, 0);
        RECT r{};
        GetClientRect(w, &r);
        clients.push_back(r);
    };
    s.OnFrame = [&](HWND w, HDC, int) { PostMessageA(w, WM_KEYDOWN, 'A', 0); };
    EXPECT_EQ(Run("-S"), 0);
    EXPECT_EQ(s.Loads, 1);
    ASSERT_EQ(s.Views.size(), static_cast<size_t>(Monitors()));
    ASSERT_EQ(s.Creates, Monitors());
    EXPECT_EQ(s.ParentWindow, nullptr);
    const SaverView& primary = s.Views[0];
    EXPECT_EQ(primary.Left, 0);
    EXPECT_EQ(primary.Top, 0);
    EXPECT_EQ(primary.WindowWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(primary.WindowHeight, GetSystemMetrics(SM_CYSCREEN));
    for (size_t i = 0; i < s.Views.size(); ++i) {
        const SaverView& v = s.Views[i];
        EXPECT_EQ(v.Index, static_cast<int32_t>(i));
        EXPECT_EQ(v.ParentWindow, nullptr);
        EXPECT_EQ(v.ScreenWidth, v.WindowWidth) << "a monitor's window draws in its monitor's pixels";
        EXPECT_EQ(v.ScreenHeight, v.WindowHeight);
        EXPECT_EQ(clients[i].right, v.WindowWidth);
        EXPECT_EQ(clients[i].bottom, v.WindowHeight);
        const POINT centre{v.Left + v.WindowWidth / 2, v.Top + v.WindowHeight / 2};
        MONITORINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(centre, MONITOR_DEFAULTTONULL), &info));
        EXPECT_EQ(info.rcMonitor.left, v.Left) << "window " << i << " covers its monitor exactly";
        EXPECT_EQ(info.rcMonitor.top, v.Top);
        EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, v.WindowWidth);
        EXPECT_EQ(info.rcMonitor.bottom - info.rcMonitor.top, v.WindowHeight);
    }
}

TEST_F(ShellTest, ARefusedCloseKeepsTheWindowsAndTheTimer)
{
    s.AllowClose = false;
    int framesAfterRefusal = 0;
    s.OnFrame = [&](HWND w, HDC, int frame) {
        if (w != s.Windows.front()) return;
        if (frame == 1) PostMessageA(w, WM_KEYDOWN, 'A', 0);
        if (s.CloseQueries == Monitors()) ++framesAfterRefusal;
        if (framesAfterRefusal == 3) {
            s.AllowClose = true;
            PostMessageA(w, WM_LBUTTONDOWN, 0, 0);
        }
    };
    EXPECT_EQ(Run("/s"), 0);
    EXPECT_EQ(framesAfterRefusal, 3);
    EXPECT_EQ(s.CloseQueries, 2 * Monitors());
}

// However many windows: screen saving off once and on once, the cursor
// hidden during the run and back as it was after it.
TEST_F(ShellTest, ScreenSavingAndTheCursorAreTakenForTheRunAndGivenBack)
{
    SetScreenSaveActive(FALSE);
    const int cursor = CursorCount();
    BOOL during = TRUE;
    int cursorDuring = 0;
    s.OnFrame = [&](HWND w, HDC, int) {
        during = ScreenSaveActive();
        cursorDuring = CursorCount();
        PostMessageA(w, WM_KEYDOWN, 'A', 0);
    };
    EXPECT_EQ(Run("/s"), 0);
    EXPECT_FALSE(during);
    EXPECT_EQ(cursorDuring, cursor - 1) << "hidden once, whatever the number of windows";
    EXPECT_EQ(CursorCount(), cursor);
    EXPECT_TRUE(ScreenSaveActive()) << "switched on even though it was off before";
}

TEST_F(ShellTest, ConfigureShowsTheDialogOnlyAndLeavesScreenSavingAlone)
{
    struct Case {
        const char* Args;
        UINT_PTR Owner;
    };
    for (const Case& c : {Case{"/c", 0}, Case{"/c:1234", 0}, Case{"/c 1234", 1234}, Case{"/s -c", 0}}) {
        ResetTestSaver();
        SetScreenSaveActive(FALSE);
        EXPECT_EQ(Run(c.Args), 0) << c.Args;
        EXPECT_EQ(s.Dialogs, 1) << c.Args;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(s.DialogOwner), c.Owner) << c.Args;
        EXPECT_TRUE(s.Views.empty()) << c.Args;
        EXPECT_EQ(s.Prepares + s.Creates + s.Deletes, 0) << c.Args;
        EXPECT_FALSE(ScreenSaveActive()) << c.Args;
    }
    SetScreenSaveActive(TRUE);
}

// A failed Prepare ends the run with what was made deleted; an instance
// that cannot be made ends it before any Prepare. Both quietly, leaving screen saving alone.
TEST_F(ShellTest, AFailedPrepareOrInstanceEndsQuietly)
{
    for (bool noInstance : {false, true}) {
        ResetTestSaver();
        MessageBoxCatcher boxes;
        SetScreenSaveActive(FALSE);
        s.PrepareResult = false;
        s.InstanceResult = !noInstance;
        EXPECT_EQ(Run("/s"), 0);
        EXPECT_EQ(s.Prepares, noInstance ? 0 : 1) << "the first failure ends it";
        EXPECT_EQ(s.Deletes, noInstance ? 0 : 1);
        EXPECT_EQ(s.Creates, 0);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_FALSE(ScreenSaveActive()) << "no window, so screen saving untouched";
    }
    SetScreenSaveActive(TRUE);
}

TEST_F(ShellTest, ABogusPreviewHandleFailsTheWindowWithAMessage)
{
    MessageBoxCatcher boxes;
    EXPECT_EQ(Run("/p 999999"), 0);
    EXPECT_EQ(s.Prepares, 1) << "Prepare still runs";
    ASSERT_EQ(s.Views.size(), 1u);
    EXPECT_EQ(s.Views[0].WindowWidth, 0);
    EXPECT_EQ(s.Views[0].WindowHeight, 0);
    EXPECT_EQ(s.Deletes, 1) << "the instance goes with the run";
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, "Failed to CreateWindow.\n");
    EXPECT_EQ(boxes.Boxes()[0].Caption, "ShellTest");
}

TEST_F(ShellTest, AClassThatCannotBeRegisteredFailsWithAMessage)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = Instance();
    wc.lpszClassName = SaverClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);
    MessageBoxCatcher boxes;
    EXPECT_EQ(Run("/s"), 0);
    UnregisterClassA(SaverClassName, Instance());
    EXPECT_EQ(s.Creates, 0);
    EXPECT_EQ(s.Deletes, Monitors());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, "Failed to RegisterClassEx.\n");
}

TEST_F(ShellTest, PreviewMapsTheFullScreenOntoThePreviewWindow)
{
    PreviewParent parent;
    ASSERT_NE(parent.window, nullptr);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    int lit = -1;
    POINT corner{cx, cy};
    s.OnFrame = [&](HWND w, HDC dc, int frame) {
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
        Rectangle(dc, 0, 0, cx, cy);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        if (frame == 0) LPtoDP(dc, &corner, 1);
        if (frame < 2) return;
        lit = PixelsOf(w, 152, 112, RGB(255, 255, 255));
        DestroyWindow(parent.window);  // the host ends the preview
    };
    EXPECT_EQ(Run(parent.Switch().c_str()), 0);
    ASSERT_EQ(s.Views.size(), 1u) << "one window, whatever the monitors";
    EXPECT_EQ(s.Views[0].WindowWidth, 152);
    EXPECT_EQ(s.Views[0].WindowHeight, 112);
    EXPECT_EQ(s.Views[0].ScreenWidth, cx);
    EXPECT_EQ(s.Views[0].ScreenHeight, cy);
    EXPECT_EQ(corner.x, 152);
    EXPECT_EQ(corner.y, 112);
    EXPECT_EQ(lit, 152 * 112) << "the full-screen rectangle fills exactly the preview";
    EXPECT_EQ(s.Deletes, 1);
}

// A saver that draws over the screen finds it as it was: the preview the
// whole screen shrunk, each monitor's window its own part. The copy is
// painted at the first erase request only.
TEST_F(ShellTest, WithoutEraseTheScreenAsItWasIsPaintedOnce)
{
    Cover cover;
    auto parent = std::make_unique<PreviewParent>();
    s.WantEraseBackground = 0;
    int coveredAtFirst = 0, coveredAfterErase = -1;
    s.OnFrame = [&](HWND w, HDC, int frame) {
        if (frame == 0) coveredAtFirst = PixelsOf(w, 152, 112, CoverColour);
        if (frame == 1) {
            // Black now, and erased again: nothing more is painted.
            HDC dc = GetDC(w);
            PatBlt(dc, 0, 0, 152, 112, BLACKNESS);
            ReleaseDC(w, dc);
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
        }
        if (frame == 2) {
            coveredAfterErase = PixelsOf(w, 152, 112, CoverColour);
            PostMessageA(w, WM_KEYDOWN, 'A', 0);  // this saver ends its preview on a key
        }
    };
    EXPECT_EQ(Run(parent->Switch().c_str()), 0);
    EXPECT_GT(coveredAtFirst, 152 * 112 * 9 / 10) << "the shrunken screen shows the cover";
    EXPECT_EQ(coveredAfterErase, 0);
    EXPECT_TRUE(IsWindow(parent->window)) << "the host's window outlives the saver";
    parent.reset();
    PumpMessages(100);

    ResetTestSaver();
    s.WantEraseBackground = 0;
    std::vector<int> covered;
    s.OnFrame = [&](HWND w, HDC, int frame) {
        if (frame != 0) return;
        RECT r{};
        GetClientRect(w, &r);
        covered.push_back(PixelsOf(w, r.right, r.bottom, CoverColour) == r.right * r.bottom);
        if (covered.size() == s.Windows.size()) PostMessageA(w, WM_KEYDOWN, 'A', 0);
    };
    EXPECT_EQ(Run("/s"), 0);
    EXPECT_EQ(covered, std::vector<int>(static_cast<size_t>(Monitors()), 1)) << "each window shows its monitor as it was";
}

TEST_F(ShellTest, PreviewSwitchWithoutAHandleRunsFullScreen)
{
    for (const char* args : {"/p", "/p 0", "/p abc", "x /p 1234", ""}) {
        ResetTestSaver();
        s.OnFrame = [&](HWND w, HDC, int) { PostMessageA(w, WM_KEYDOWN, 'A', 0); };
        EXPECT_EQ(Run(args), 0) << args;
        EXPECT_EQ(s.ParentWindow, nullptr) << args;
        ASSERT_FALSE(s.Views.empty()) << args;
        EXPECT_EQ(s.Views[0].ParentWindow, nullptr) << args;
        EXPECT_EQ(s.Views[0].WindowWidth, GetSystemMetrics(SM_CXSCREEN)) << args;
    }
}
