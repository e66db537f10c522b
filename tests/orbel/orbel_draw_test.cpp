// Orbel's hooks drawing into a real memory DC: white squares where the
// points are, last tick's squares blacked out, nothing else touched.
#include "orbel_run.h"
#include "orbel_table.h"
#include "random.h"
#include "saver_instance_run.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Grey = 0x808080;

struct Square {
    int X, Y;
};

// The picture expected on a canvas of colour background: the null pen
// leaves a rectangle's right and bottom edge unpainted, so a square of side
// s fills s - 1 pixels each way.
std::vector<uint32_t> Expected(const MemoryCanvas& c, uint32_t background, const std::vector<Square>& black,
                               const std::vector<Square>& white, int side)
{
    std::vector<uint32_t> px(static_cast<size_t>(c.Width()) * c.Height(), background);
    auto paint = [&](const std::vector<Square>& squares, uint32_t colour) {
        for (const Square& q : squares)
            for (int y = q.Y; y < q.Y + side - 1; ++y)
                for (int x = q.X; x < q.X + side - 1; ++x)
                    if (x >= 0 && y >= 0 && x < c.Width() && y < c.Height())
                        px[static_cast<size_t>(y) * c.Width() + x] = colour;
    };
    paint(black, Black);
    paint(white, White);
    return px;
}

int Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

class OrbelDrawTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (run) run->QueryClose();
    }

    // A run on a 1024 x 768 monitor, or on the view given.
    void Start(const SaverView& view = RunView(1024, 768))
    {
        run = std::make_unique<InstanceRun<OrbelRun>>(view);
    }

    // Points at rest at the given places.
    void Place(const std::vector<Square>& at, int side)
    {
        Start();
        (*run)->Count = static_cast<int32_t>(at.size());
        (*run)->PointSize = side;
        (*run)->Points = AllocatePoints((*run)->Count);
        ASSERT_NE((*run)->Points, nullptr);
        for (size_t i = 0; i < at.size(); ++i) {
            (*run)->Points[i].Mass = PointMass;
            (*run)->Points[i].X = at[i].X;
            (*run)->Points[i].Y = at[i].Y;
        }
    }
    void Draw(HDC dc, HWND window = nullptr) { run->DrawFrame(dc, window); }

    std::unique_ptr<InstanceRun<OrbelRun>> run;
};

TEST_F(OrbelDrawTest, WhiteSquaresWhereThePointsAreAndTheOldOnesErased)
{
    // Far enough apart to pull, far too weakly to move in a tick.
    const std::vector<Square> first = {{10, 20}, {100, 30}, {50, 90}};
    Place(first, 5);
    MemoryCanvas canvas(160, 120);

    // On a grey canvas the first tick shows what it touches: the squares at
    // the origin it erases, and the new ones.
    canvas.Fill(Grey);
    Draw(canvas.Dc());
    EXPECT_EQ(Differences(canvas.Pixels(), Expected(canvas, Grey, {{0, 0}}, first, 5)), 0);

    // On black, as behind the real window: one point jumps; its old square
    // goes black, the new one is white, the others stay.
    canvas.Fill(Black);
    Draw(canvas.Dc());
    (*run)->Points[0].X = 70;
    (*run)->Points[0].Y = 60;
    Draw(canvas.Dc());
    const std::vector<Square> second = {{70, 60}, {100, 30}, {50, 90}};
    EXPECT_EQ(Differences(canvas.Pixels(), Expected(canvas, Black, {}, second, 5)), 0);
    EXPECT_EQ(canvas.Pixel(10, 20), Black);
    EXPECT_EQ(canvas.Pixel(70, 60), White);
    EXPECT_EQ((*run)->Points[0].DrawnX, 70);
    EXPECT_EQ((*run)->Points[0].DrawnY, 60);
}

TEST_F(OrbelDrawTest, ANewSquareIsNeverCutByAnotherPointsErase)
{
    // Point 1 moves onto the square point 0 leaves behind in the same tick.
    Place({{20, 20}, {40, 40}}, 9);
    MemoryCanvas canvas(80, 80);
    Draw(canvas.Dc());
    (*run)->Points[0].X = 60;
    (*run)->Points[1].X = 22;
    (*run)->Points[1].Y = 22;
    Draw(canvas.Dc());
    EXPECT_EQ(Differences(canvas.Pixels(), Expected(canvas, Black, {}, {{60, 20}, {22, 22}}, 9)), 0);
}

TEST_F(OrbelDrawTest, TheDeviceContextGetsItsPenAndBrushBack)
{
    Place({{10, 10}}, 2);
    MemoryCanvas canvas(40, 40);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(canvas.Dc(), pen);
    HGDIOBJ oldBrush = SelectObject(canvas.Dc(), brush);
    Draw(canvas.Dc());
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetROP2(canvas.Dc()), R2_COPYPEN);
    SelectObject(canvas.Dc(), oldPen);
    SelectObject(canvas.Dc(), oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST_F(OrbelDrawTest, WithoutPointsNothingIsDrawnAndTheCloseStillGoesThrough)
{
    // What is left when the points could not be allocated.
    Start();
    MemoryCanvas canvas(40, 40);
    canvas.Fill(Grey);
    Draw(canvas.Dc());
    EXPECT_EQ(Differences(canvas.Pixels(), Expected(canvas, Grey, {}, {}, 2)), 0);
    EXPECT_TRUE(run->QueryClose());
    EXPECT_EQ((*run)->Points, nullptr);
}

TEST_F(OrbelDrawTest, CloseFreesThePointsAndIsNeverRefused)
{
    Place({{1, 1}, {2, 2}}, 2);
    EXPECT_TRUE(run->QueryClose());
    EXPECT_EQ((*run)->Points, nullptr) << "the freed array cannot be reached any more";
    EXPECT_TRUE(run->QueryClose()) << "a second close is harmless";
    EXPECT_TRUE(run->Prepare());
}

TEST_F(OrbelDrawTest, OnCreateScalesTheSquaresToThePreview)
{
    struct Case {
        int32_t width, height, expected;
    };
    const Case cases[] = {{1024, 768, 2}, {152, 112, 14}, {0, 0, 2}};
    for (const Case& c : cases) {
        Start(PreviewView(1024, 768, c.width, c.height));
        run->OnCreate(nullptr);
        EXPECT_EQ((*run)->PointSize, c.expected) << c.width << " x " << c.height;
        run->QueryClose();
    }
}

TEST_F(OrbelDrawTest, OnCreateShowsTheOpeningLayoutInAPreviewSizedWindow)
{
    // A hidden 152 x 112 window stands for the preview child.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrbelTestPreview";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Orbel", WS_POPUP, 0, 0, 152, 112, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    RECT r{};
    GetClientRect(window, &r);
    Start(PreviewView(1024, 768, r.right, r.bottom));
    ProgramSettings().Values.Numbers[OrbelCount] = 50;

    SeedRandom(1);
    run->OnCreate(window);
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_NE((*run)->Points, nullptr);
    EXPECT_EQ((*run)->PointSize, 14);
    std::vector<MassPoint> layout(50);
    SeedRandom(1);
    BuildPoints(layout.data(), 50, 1024, 768);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ((*run)->Points[i].X, layout[i].X);
        EXPECT_EQ((*run)->Points[i].Y, layout[i].Y);
    }

    // Drawn through the shell's preview mapping, every point shows as a dot
    // at its shrunken place (at 12 units about half of them would not).
    MemoryCanvas canvas(152, 112);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.Dc(), 1024, 768, nullptr);
    SetViewportExtEx(canvas.Dc(), 152, 112, nullptr);
    Draw(canvas.Dc(), window);
    for (int i = 0; i < 50; ++i) {
        const MassPoint& p = (*run)->Points[i];
        const int x = p.X * 152 / 1024, y = p.Y * 112 / 768;
        bool seen = false;
        for (int dy = 0; dy <= 2; ++dy)
            for (int dx = 0; dx <= 2; ++dx) seen = seen || canvas.Pixel(x + dx, y + dy) == White;
        EXPECT_TRUE(seen) << "point " << i << " at " << p.X << "," << p.Y;
    }
    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

} // namespace
