#include "worms_walk.h"

#include "failure_points.h"
#include "random.h"

#include <cmath>
#include <utility>

namespace {

constexpr double Pi = 3.14159265;

// A ring of length slots, every one at the origin; null when it cannot be had.
std::unique_ptr<int32_t[]> NewRing(int32_t length)
{
    return std::unique_ptr<int32_t[]>(NewArrayOrNull<int32_t>(static_cast<size_t>(length)));
}

// A random colour byte: the rare draw of 256 becomes 0.
uint32_t ColourByte() { return static_cast<uint32_t>(RandomInt(256)) & 0xFF; }

} // namespace

bool WormCrowd::Build(int32_t count, int32_t length)
{
    Free();
    if (count < 1 || count > MaxWormsCnt || length < 1 || length > MaxWormsLen) return false;
    std::unique_ptr<Worm[]> worms(NewArrayOrNull<Worm>(static_cast<size_t>(count)));
    if (!worms) return false;

    for (int32_t i = 0; i < count; ++i) {
        Worm& w = worms[i];
        w.SegmentCount = length;
        // A failure frees what was built so far, as the rings are owned.
        w.SegmentX = NewRing(length);
        if (!w.SegmentX) return false;
        w.SegmentY = NewRing(length);
        if (!w.SegmentY) return false;
        // Five draws per worm, in this order.
        w.SegmentSize = 5 + RandomInt(10);
        const uint32_t red = ColourByte();
        const uint32_t green = ColourByte();
        const uint32_t blue = ColourByte();
        w.Colour = red + 256 * green + 65536 * blue;
        w.HeadIndex = 0;
        w.Heading = RandomReal(360.0);
    }
    worms_ = std::move(worms);
    count_ = count;
    return true;
}

void WormCrowd::Free()
{
    // Each worm's rings go with it, before the array itself.
    worms_.reset();
    count_ = 0;
}

SegmentBox SegmentBoxAt(int32_t x, int32_t y, int32_t size)
{
    // Taken in 64 bits and kept in range: a box at the ends of the range
    // stops there instead of wrapping.
    const int64_t h = size / 2;
    auto at = [](int64_t v) { return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v); };
    return {at(x - h), at(y - h), at(x + h), at(y + h)};
}

int32_t OldestSlot(const Worm& worm)
{
    const int32_t next = worm.HeadIndex + 1;
    return next >= worm.SegmentCount ? 0 : next;
}

int32_t StepAlong(double cosine, int32_t size) { return TruncToInt(cosine * size * 0.8); }

void TurnWorm(Worm& worm) { worm.Heading = (RandomReal(30.0) - 15.0) + worm.Heading; }

void StepWorm(Worm& worm, int32_t next, CrawlArea area)
{
    const double r = worm.Heading * Pi / 180;
    const int64_t x = int64_t{worm.SegmentX[worm.HeadIndex]} + StepAlong(std::cos(r), worm.SegmentSize);
    const int64_t y = int64_t{worm.SegmentY[worm.HeadIndex]} + StepAlong(std::sin(r), worm.SegmentSize);
    worm.SegmentX[next] = WrapCoordinate(x, area.Width);
    worm.SegmentY[next] = WrapCoordinate(y, area.Height);
}

uint32_t NextColour(uint32_t colour)
{
    const uint32_t next = colour + 1;
    return next > 0xFFFFFF ? 0 : next;
}
