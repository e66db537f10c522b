// Worms drawing into a real memory DC that holds a noisy picture: what each
// trail mode leaves behind, and that every brush a tick makes is deleted.
#include "brush_census.h"
#include "random.h"
#include "saver_instance_run.h"
#include "win_test_support.h"
#include "worms_run.h"
#include "worms_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int Width = 240;
constexpr int Height = 180;

// A deterministic noisy picture: every pixel differs from its neighbours.
std::vector<uint32_t> PaintNoise(MemoryCanvas& canvas)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(canvas.Width()) * canvas.Height());
    uint32_t h = 2166136261u;
    for (uint32_t& p : pixels) {
        h = (h ^ 0x9E3779B9u) * 16777619u;
        h ^= h >> 13;
        p = h & 0xFFFFFF;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = canvas.Width();
    bi.bmiHeader.biHeight = -canvas.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), 0, 0, 0, canvas.Height(),
                      pixels.data(), &bi, DIB_RGB_COLORS);
    return canvas.Pixels();
}

// A COLORREF (red low) as the canvas stores it (red high).
uint32_t AsPixel(uint32_t colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// Pixels a set of boxes may have touched, each box grown by one for the pen.
class Marks {
public:
    Marks() : marked_(static_cast<size_t>(Width) * Height, false) {}
    void Add(SegmentBox b)
    {
        for (int y = std::max(0, b.Top - 1); y <= std::min(Height - 1, b.Bottom + 1); ++y)
            for (int x = std::max(0, b.Left - 1); x <= std::min(Width - 1, b.Right + 1); ++x)
                marked_[static_cast<size_t>(y) * Width + x] = true;
    }
    bool operator()(int x, int y) const { return marked_[static_cast<size_t>(y) * Width + x]; }

private:
    std::vector<bool> marked_;
};

// Boxes of every live segment of every worm, and the corner where the first
// tail drawings land.
Marks LiveSegments(const WormCrowd& crowd)
{
    Marks m;
    for (const Worm& w : crowd)
        for (int s = 0; s < w.SegmentCount; ++s) m.Add(SegmentBoxAt(w.SegmentX[s], w.SegmentY[s], w.SegmentSize));
    m.Add(SegmentBoxAt(0, 0, 15));
    return m;
}

class WormsDrawing : public ::testing::Test {
protected:
    void SetUp() override { original = PaintNoise(canvas); }
    void TearDown() override { Release(); }

    // A run of the settings given on a monitor the canvas's size.
    void Start(int32_t type, int32_t count, int32_t length)
    {
        Release();
        settings[WormsType] = type;
        settings[WormsCount] = count;
        settings[WormsLength] = length;
        SeedRandom(1);
        run = std::make_unique<InstanceRun<WormsRun>>(RunView(Width, Height));
        ASSERT_TRUE(run->Prepare());
    }
    // The run ended (the instance deleted) and the settings back to their
    // defaults.
    void Release()
    {
        run.reset();
        settings[WormsType] = DefaultType;
        settings[WormsCount] = DefaultWormsCnt;
        settings[WormsLength] = DefaultWormsLen;
    }
    void Tick() { run->DrawFrame(canvas.Dc()); }
    WormCrowd& Crowd() { return (*run)->Crowd; }

    // Runs ticks, marking every box a head was drawn in.
    void Run(int ticks, Marks* everywhere = nullptr)
    {
        for (int t = 0; t < ticks; ++t) {
            Tick();
            if (!everywhere) continue;
            for (const Worm& w : Crowd())
                everywhere->Add(SegmentBoxAt(w.SegmentX[w.HeadIndex], w.SegmentY[w.HeadIndex], w.SegmentSize));
        }
    }

    // Pixels outside the given marks that differ from the original picture.
    int ChangedOutside(const Marks& marks) const
    {
        const std::vector<uint32_t> now = canvas.Pixels();
        int changed = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (!marks(x, y) && now[static_cast<size_t>(y) * Width + x] != original[static_cast<size_t>(y) * Width + x])
                    ++changed;
        return changed;
    }

    int32_t* settings = ProgramSettings().Values.Numbers;
    std::unique_ptr<InstanceRun<WormsRun>> run;
    MemoryCanvas canvas{Width, Height};
    std::vector<uint32_t> original;
};

// Whether heads of different worms ever covered the same pixel.
bool WormsCrossed(const std::vector<std::vector<SegmentBox>>& headsPerWorm)
{
    std::vector<int> owner(static_cast<size_t>(Width) * Height, -1);
    for (size_t i = 0; i < headsPerWorm.size(); ++i)
        for (SegmentBox b : headsPerWorm[i])
            for (int y = std::max(0, b.Top); y < std::min(Height, b.Bottom); ++y)
                for (int x = std::max(0, b.Left); x < std::min(Width, b.Right); ++x) {
                    int& o = owner[static_cast<size_t>(y) * Width + x];
                    if (o >= 0 && o != static_cast<int>(i)) return true;
                    o = static_cast<int>(i);
                }
    return false;
}

TEST_F(WormsDrawing, LeavingNoTrailGivesThePictureBackExactlyEvenWhereWormsCross)
{
    Start(TrailNone, 40, 8);
    std::vector<std::vector<SegmentBox>> heads(40);
    for (int t = 0; t < 300; ++t) {
        Tick();
        for (int i = 0; i < 40; ++i) {
            const Worm& w = Crowd()[i];
            heads[i].push_back(SegmentBoxAt(w.SegmentX[w.HeadIndex], w.SegmentY[w.HeadIndex], w.SegmentSize));
        }
    }
    ASSERT_TRUE(WormsCrossed(heads));
    EXPECT_EQ(ChangedOutside(LiveSegments(Crowd())), 0);
    EXPECT_GT(ChangedOutside(Marks{}), 0) << "the live worms show";
}

TEST_F(WormsDrawing, HeadsLeavingNoTrailAreTheNotXorMixOfColourAndPicture)
{
    Start(TrailNone, 1, 10);
    Worm& w = Crowd()[0];
    w.SegmentSize = 15;
    const int32_t x0 = 120, y0 = 90;
    for (int s = 0; s < w.SegmentCount; ++s) {
        w.SegmentX[s] = x0;
        w.SegmentY[s] = y0;
    }
    Run(6);
    const int x = w.SegmentX[w.HeadIndex], y = w.SegmentY[w.HeadIndex];
    ASSERT_TRUE(x > 10 && x < Width - 10 && y > 10 && y < Height - 10);
    const uint32_t under = original[static_cast<size_t>(y) * Width + x];
    EXPECT_EQ(canvas.Pixel(x, y), ~(AsPixel(w.Colour) ^ under) & 0xFFFFFF);
}

TEST_F(WormsDrawing, ClearingLeavesBlackTracksAndColouredHeadsWithBlackOutlines)
{
    Start(TrailClear, 1, 4);
    Worm& w = Crowd()[0];
    w.SegmentSize = 15;
    std::vector<std::pair<int, int>> centres;
    Marks visited;
    auto inside = [](int x, int y) { return x >= 8 && x < Width - 8 && y >= 8 && y < Height - 8; };
    // At least 60 ticks, stopping with the head clear of the edges.
    for (int t = 0; t < 60 || !inside(centres.back().first, centres.back().second); ++t) {
        ASSERT_LT(t, 400);
        Tick();
        centres.emplace_back(w.SegmentX[w.HeadIndex], w.SegmentY[w.HeadIndex]);
        visited.Add(SegmentBoxAt(centres.back().first, centres.back().second, w.SegmentSize));
    }
    const int x = centres.back().first, y = centres.back().second;
    EXPECT_EQ(canvas.Pixel(x, y), AsPixel(w.Colour)) << "head in the worm's colour";
    EXPECT_EQ(canvas.Pixel(x - 7, y), 0u) << "outlined with the black pen";
    EXPECT_EQ(canvas.Pixel(x, y - 7), 0u);
    // Older segments were painted over by their tails: black, unless a live
    // segment lies on them.
    const Marks live = LiveSegments(Crowd());
    int blackened = 0;
    for (size_t t = 0; t + w.SegmentCount < centres.size(); ++t) {
        const auto [cx, cy] = centres[t];
        if (cx < 0 || cx >= Width || cy < 0 || cy >= Height || live(cx, cy)) continue;
        EXPECT_EQ(canvas.Pixel(cx, cy), 0u) << "track at tick " << t;
        ++blackened;
    }
    EXPECT_GT(blackened, 30);
    EXPECT_EQ(canvas.Pixel(0, 0), 0u) << "the first tails land black in the corner";
    visited.Add(SegmentBoxAt(0, 0, 15));
    EXPECT_EQ(ChangedOutside(visited), 0) << "the picture is eaten only where the worm went";
}

TEST_F(WormsDrawing, SmearingDiscoloursThePathButLengthOneLeavesNoSmear)
{
    const struct {
        int32_t length;
        bool smears;
    } cases[] = {{10, true}, {3, true}, {1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        original = PaintNoise(canvas);
        Start(TrailSmear, 20, c.length);
        Marks visited;
        Run(200, &visited);
        const int smeared = ChangedOutside(LiveSegments(Crowd()));
        if (c.smears)
            EXPECT_GT(smeared, 200);
        else
            EXPECT_EQ(smeared, 0);
        Marks visitedOrCorner = visited;
        visitedOrCorner.Add(SegmentBoxAt(0, 0, 15));
        EXPECT_EQ(ChangedOutside(visitedOrCorner), 0) << "smears lie only along the paths";
        Release();
    }
}

// A thousand ticks in each mode: every brush made is deleted within its tick,
// and the brush the DC had is selected again. A worm makes at most one brush
// a tick (two when it smears); black and white are the stock brushes, so a
// smearing colour that passes 0xFFFFFF makes a few less.
TEST_F(WormsDrawing, NoBrushOutlivesItsTick)
{
    const struct {
        int32_t type;
        size_t perWorm;
    } cases[] = {{TrailClear, 1}, {TrailNone, 1}, {TrailSmear, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        Start(c.type, 20, 10);
        HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
        BrushCensus census;
        ASSERT_TRUE(census.Hooked());
        for (int t = 0; t < 1000; ++t) {
            Tick();
            ASSERT_EQ(census.Alive(), 0u) << "tick " << t;
        }
        EXPECT_LE(census.Created(), 1000 * 20 * c.perWorm);
        EXPECT_GE(census.Created(), 1000 * 20 * c.perWorm - 20);
        EXPECT_EQ(census.Deleted(), census.Created());
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), before);
        Release();
    }
}

TEST_F(WormsDrawing, PrepareFailsWithoutTheWorms)
{
    // Values that skipped the load's bounds: the build refuses them, as it
    // does when the memory cannot be had.
    settings[WormsCount] = MaxWormsCnt + 1;
    settings[WormsLength] = 10;
    run = std::make_unique<InstanceRun<WormsRun>>(RunView(Width, Height));
    EXPECT_FALSE(run->Prepare());
    EXPECT_EQ(Crowd().Count(), 0);
}

} // namespace
