// The shell run in-process with the test saver: modes, the window procedure,
// the preview mapping and the start-up failures.
#include "saver_shell.h"
#include "test_saver.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

BOOL ScreenSaveActive()
{
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active;
}

void SetScreenSaveActive(BOOL on) { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0); }

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
        DeleteRegistryTree(TestKeyPath);
        ResetTestSaver();
    }
    TestSettings& s = TheTestSettings;
};

} // namespace

TEST_F(ShellTest, RunEndsOnKeyOrLeftClickButNotOnOtherInput)
{
    for (UINT ending : {WM_KEYDOWN, WM_LBUTTONDOWN}) {
        ResetTestSaver();
        bool aliveAfterOtherInput = false;
        s.OnFrame = [&](HWND w, HDC, int frame) {
            if (frame == 1) {
                PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
                PostMessageA(w, WM_RBUTTONDOWN, 0, 0);
                PostMessageA(w, WM_MBUTTONDOWN, 0, 0);
                PostMessageA(w, WM_SYSKEYDOWN, VK_MENU, 0);
            }
            if (frame == 4) {
                aliveAfterOtherInput = IsWindow(w) && s.CloseQueries == 0;
                PostMessageA(w, ending, 0, 0);
            }
        };
        EXPECT_EQ(SaverMain(Instance(), "/s"), 0);
        EXPECT_TRUE(aliveAfterOtherInput) << "message " << ending;
        EXPECT_EQ(s.CloseQueries, 1);
        EXPECT_EQ(s.Frames, 5) << "no frame after an allowed close";
        EXPECT_EQ(s.Releases, 1);
        EXPECT_FALSE(IsWindow(s.Window));
    }
}

TEST_F(ShellTest, HooksRunInOrderWithTheFieldsTheyRelyOn)
{
    s.WantTimerInterval = 20;
    RECT clientAtCreate{};
    s.OnCreated = [&](HWND w) {
        EXPECT_EQ(s.Prepares, 1) << "Prepare runs before the window exists";
        EXPECT_EQ(s.Frames, 0);
        GetClientRect(w, &clientAtCreate);
    };
    s.OnFrame = [&](HWND w, HDC, int) { PostMessageA(w, WM_KEYDOWN, 'A', 0); };
    EXPECT_EQ(SaverMain(Instance(), "-S"), 0);
    EXPECT_EQ(s.Loads, 1);
    EXPECT_EQ(s.Creates, 1);
    EXPECT_EQ(s.ParentWindow, nullptr);
    EXPECT_EQ(s.WindowWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(s.WindowHeight, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(clientAtCreate.right, s.WindowWidth);
    EXPECT_EQ(clientAtCreate.bottom, s.WindowHeight);
}

TEST_F(ShellTest, ARefusedCloseKeepsTheWindowAndTheTimer)
{
    s.AllowClose = false;
    int framesAfterRefusal = 0;
    s.OnFrame = [&](HWND w, HDC, int frame) {
        if (frame == 1) PostMessageA(w, WM_KEYDOWN, 'A', 0);
        if (s.CloseQueries == 1) ++framesAfterRefusal;
        if (framesAfterRefusal == 3) {
            s.AllowClose = true;
            PostMessageA(w, WM_LBUTTONDOWN, 0, 0);
        }
    };
    EXPECT_EQ(SaverMain(Instance(), "/s"), 0);
    EXPECT_EQ(framesAfterRefusal, 3);
    EXPECT_EQ(s.CloseQueries, 2);
}

TEST_F(ShellTest, ScreenSavingIsOffDuringARunAndOnAfterIt)
{
    SetScreenSaveActive(FALSE);
    BOOL during = TRUE;
    s.OnFrame = [&](HWND w, HDC, int) {
        during = ScreenSaveActive();
        PostMessageA(w, WM_KEYDOWN, 'A', 0);
    };
    EXPECT_EQ(SaverMain(Instance(), "/s"), 0);
    EXPECT_FALSE(during);
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
        EXPECT_EQ(SaverMain(Instance(), c.Args), 0) << c.Args;
        EXPECT_EQ(s.Dialogs, 1) << c.Args;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(s.DialogOwner), c.Owner) << c.Args;
        EXPECT_EQ(s.Prepares + s.Creates + s.Releases, 0) << c.Args;
        EXPECT_FALSE(ScreenSaveActive()) << c.Args;
    }
    SetScreenSaveActive(TRUE);
}

TEST_F(ShellTest, AFailedPrepareReleasesAndEndsQuietly)
{
    MessageBoxCatcher boxes;
    SetScreenSaveActive(FALSE);
    s.PrepareResult = false;
    EXPECT_EQ(SaverMain(Instance(), "/s"), 0);
    EXPECT_EQ(s.Prepares, 1);
    EXPECT_EQ(s.Releases, 1);
    EXPECT_EQ(s.Creates, 0);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(ScreenSaveActive()) << "no window, so screen saving untouched";
    SetScreenSaveActive(TRUE);
}

TEST_F(ShellTest, ABogusPreviewHandleFailsTheWindowWithAMessage)
{
    MessageBoxCatcher boxes;
    EXPECT_EQ(SaverMain(Instance(), "/p 999999"), 0);
    EXPECT_EQ(s.Prepares, 1) << "Prepare still runs";
    EXPECT_EQ(s.WindowWidth, 0);
    EXPECT_EQ(s.WindowHeight, 0);
    EXPECT_EQ(s.Releases, 0);
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
    EXPECT_EQ(SaverMain(Instance(), "/s"), 0);
    UnregisterClassA(SaverClassName, Instance());
    EXPECT_EQ(s.Creates, 0);
    EXPECT_EQ(s.Releases, 0);
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
        // Read the preview's pixels back: all of its client area is white.
        MemoryCanvas copy(160, 120);
        HDC wdc = GetDC(w);
        BitBlt(copy.Dc(), 0, 0, 152, 112, wdc, 0, 0, SRCCOPY);
        ReleaseDC(w, wdc);
        lit = 0;
        for (int y = 0; y < 112; ++y)
            for (int x = 0; x < 152; ++x) lit += copy.Pixel(x, y) == 0xFFFFFF;
        DestroyWindow(parent.window);  // the host ends the preview
    };
    EXPECT_EQ(SaverMain(Instance(), parent.Switch().c_str()), 0);
    EXPECT_EQ(s.WindowWidth, 152);
    EXPECT_EQ(s.WindowHeight, 112);
    EXPECT_EQ(corner.x, 152);
    EXPECT_EQ(corner.y, 112);
    EXPECT_EQ(lit, 152 * 112) << "the full-screen rectangle fills exactly the preview";
    EXPECT_EQ(s.Releases, 1);
}

TEST_F(ShellTest, PreviewWithoutErasePaintsTheSnapshotOnceThenFreesIt)
{
    PreviewParent parent;
    s.WantEraseBackground = 0;
    bool snapshotAtPrepare = false;
    HDC snapshotAfterFrames = reinterpret_cast<HDC>(1);
    s.OnCreated = [&](HWND) { snapshotAtPrepare = s.DesktopSnapshot != nullptr; };
    s.OnFrame = [&](HWND w, HDC, int frame) {
        if (frame == 3) {
            snapshotAfterFrames = s.DesktopSnapshot;
            PostMessageA(w, WM_KEYDOWN, 'A', 0);  // this saver ends its preview on a key
        }
    };
    EXPECT_EQ(SaverMain(Instance(), parent.Switch().c_str()), 0);
    EXPECT_TRUE(snapshotAtPrepare) << "taken before the window exists";
    EXPECT_EQ(snapshotAfterFrames, nullptr) << "freed at the first erase";
    EXPECT_TRUE(IsWindow(parent.window)) << "the host's window outlives the saver";
}

TEST_F(ShellTest, PreviewSwitchWithoutAHandleRunsFullScreen)
{
    for (const char* args : {"/p", "/p 0", "/p abc", "x /p 1234", ""}) {
        ResetTestSaver();
        s.OnFrame = [&](HWND w, HDC, int) { PostMessageA(w, WM_KEYDOWN, 'A', 0); };
        EXPECT_EQ(SaverMain(Instance(), args), 0) << args;
        EXPECT_EQ(s.ParentWindow, nullptr) << args;
        EXPECT_EQ(s.WindowWidth, GetSystemMetrics(SM_CXSCREEN)) << args;
    }
}
