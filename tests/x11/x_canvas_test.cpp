// The X canvas on the real X server (a private Xvfb): colours, GDI's
// NOT-XOR mix, the 16-bit coordinate range, the cell height of fonts, and
// the text savers' erase passes, which must leave no pixel behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "glyra2_run.h"
#include "glyra_run.h"
#include "x_canvas.h"

namespace {

constexpr int32_t W = 640, H = 480;

// One connection for the suite: Xft keeps per-display state that a
// display closed and opened again within one process can trip over.
class XCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dpy = XOpenDisplay(nullptr); }
    static void TearDownTestSuite()
    {
        if (dpy) XCloseDisplay(dpy);
        dpy = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(dpy, nullptr) << "no X display";
        const int screen = DefaultScreen(dpy);
        pixmap = XCreatePixmap(dpy, RootWindow(dpy, screen), W, H, static_cast<unsigned>(DefaultDepth(dpy, screen)));
        canvas = new XCanvas(XSurface{dpy, pixmap, DefaultVisual(dpy, screen), DefaultColormap(dpy, screen), W, H});
        ASSERT_TRUE(canvas->Ready());
        canvas->FillBox({0, 0, W, H}, 0);
    }
    void TearDown() override
    {
        delete canvas;
        if (pixmap) XFreePixmap(dpy, pixmap);
    }

    // The picture as 0x00RRGGBB pixels.
    std::vector<uint32_t> Picture()
    {
        XImage* image = XGetImage(dpy, pixmap, 0, 0, W, H, AllPlanes, ZPixmap);
        std::vector<uint32_t> p(size_t(W) * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) p[size_t(y) * W + x] = static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
        XDestroyImage(image);
        return p;
    }
    int64_t Lit()
    {
        int64_t n = 0;
        for (uint32_t p : Picture()) n += p != 0;
        return n;
    }

    static Display* dpy;
    Pixmap pixmap = 0;
    XCanvas* canvas = nullptr;
};

Display* XCanvasTest::dpy = nullptr;

TEST_F(XCanvasTest, ColoursAreBlueGreenRedAsOnWindows)
{
    canvas->FillBox({10, 20, 13, 22}, 0x00336699);
    const std::vector<uint32_t> p = Picture();
    EXPECT_EQ(p[size_t(20) * W + 10], 0x996633u);
    EXPECT_EQ(p[size_t(21) * W + 12], 0x996633u);
    // [Left, Right) x [Top, Bottom): the box's far edges stay out.
    EXPECT_EQ(p[size_t(21) * W + 13], 0u);
    EXPECT_EQ(p[size_t(22) * W + 12], 0u);
}

TEST_F(XCanvasTest, NotXorDrawnTwiceGivesThePictureBack)
{
    // A picture of many colours, then ellipses of every small size, some
    // across the edges, NOT-XOR twice.
    for (int32_t i = 0; i < 64; ++i) canvas->FillBox({i * 10, 0, i * 10 + 10, H}, 0x00010203u * static_cast<uint32_t>(i * 4));
    const std::vector<uint32_t> before = Picture();
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t i = 0; i < 300; ++i) {
            const int32_t x = (i * 97) % (W + 40) - 20, y = (i * 53) % (H + 40) - 20, size = 1 + i % 31;
            canvas->Ellipse({x - size / 2, y - size / 2, x + size / 2 + i % 2, y + size / 2}, 0x00A0B0C0u + i, CanvasMix::NotXor);
        }
        if (pass == 0) {
            EXPECT_NE(Picture(), before);
        }
    }
    EXPECT_EQ(Picture(), before);
}

TEST_F(XCanvasTest, NothingBeyondTheDrawableWrapsIntoIt)
{
    // Coordinates X's 16 bits would wrap to inside the picture.
    const int32_t far = 65536 + 100;
    canvas->FillBox({far, far, far + 50, far + 50}, 0xFFFFFF);
    canvas->FillBox({-far, -far, -far + 50, -far + 50}, 0xFFFFFF);
    canvas->Ellipse({far, 100, far + 15, 115}, 0xFFFFFF, CanvasMix::Copy);
    canvas->Ellipse({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0x000000, CanvasMix::NotXor);
    canvas->Ellipse({INT32_MAX - 2, INT32_MAX - 2, INT32_MAX, INT32_MAX}, 0xFFFFFF, CanvasMix::NotXor);
    const std::unique_ptr<CanvasFont> font = canvas->MakeFont(u"IPAPMincho", 40, false, false);
    ASSERT_NE(font, nullptr);
    canvas->DrawChar(font.get(), far, 100, u'W', 0xFFFFFF);
    canvas->DrawChar(font.get(), 100, far, u'W', 0xFFFFFF);
    canvas->DrawChar(font.get(), -far, 100, u'W', 0xFFFFFF);
    // Only the huge ellipse reaches the picture: its inside, black NOT-XOR
    // black, lights every pixel.
    const int64_t lit = Lit();
    EXPECT_EQ(lit, int64_t{W} * H);
    // A box across the corner is cut to what lies inside.
    canvas->FillBox({0, 0, W, H}, 0);
    canvas->FillBox({-10, -10, 5, 5}, 0xFFFFFF);
    EXPECT_EQ(Lit(), 25);
}

TEST_F(XCanvasTest, CellHeightIsTheHeightAskedFor)
{
    for (int32_t h : {6, 12, 48, 200, 400}) {
        const std::unique_ptr<CanvasFont> font = canvas->MakeFont(u"IPAPMincho", h, false, false);
        ASSERT_NE(font, nullptr) << h;
        int32_t w = 0, cell = 0;
        EXPECT_TRUE(canvas->MeasureChar(font.get(), u'\u5149', w, cell));
        EXPECT_NEAR(cell, h, 1) << h;
        EXPECT_GT(w, 0) << h;
    }
}

TEST_F(XCanvasTest, Glyra2sErasePassesLeaveNothing)
{
    Glyra2Run run;
    TextList none;
    const uint32_t seed = 12345;
    ASSERT_TRUE(PrepareGlyra2(run, none, 3, 120, W, H, &seed));
    StartGlyra2(run, *canvas, u"IPAPMincho", false, false);
    for (int tick = 0; tick < 80; ++tick) DrawGlyra2(run, *canvas);
    EXPECT_GT(Lit(), 100);
    // Last tick's glyphs drawn again in black, as the next tick would.
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get())
        DrawChain(run, *canvas, *e, PathOf(*e).PrevSlot, true);
    EXPECT_EQ(Lit(), 0);
}

TEST_F(XCanvasTest, GlyrasErasePassesLeaveNothingBoldAndItalicToo)
{
    GlyraRun run;
    TextList none;
    const uint32_t seed = 54321;
    ASSERT_TRUE(PrepareGlyra(run, none, 2, 64, GlyraScreen{W, H, W, H}, &seed));
    run.Font = canvas->MakeFont(u"IPAPMincho", run.FontSize, true, true);
    ASSERT_NE(run.Font, nullptr);
    PlaceEntries(run, *canvas);
    for (int tick = 0; tick < 80; ++tick) DrawGlyra(run, *canvas);
    EXPECT_GT(Lit(), 100);
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get()) DrawCharacters(run, *canvas, *e, 0);
    EXPECT_EQ(Lit(), 0);
}

} // namespace
