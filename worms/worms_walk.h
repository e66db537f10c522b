// The worms and their walk: building the crowd, one tick of turning,
// stepping and wrapping, the colour that counts up while a worm soils the
// picture, and the box of a segment circle. Drawing is left to a painter the
// caller hands in, so the walk runs and is tested without any window system.
#pragma once

#include "integer_rules.h"
#include "worms_values.h"

#include <cstdint>
#include <memory>

// One worm: a ring of segment centres, the newest at HeadIndex.
struct Worm {
    std::unique_ptr<int32_t[]> SegmentX;
    std::unique_ptr<int32_t[]> SegmentY;
    int32_t SegmentCount = 0;  // the ring's length: WormsLen when built
    int32_t SegmentSize = 0;   // circle size in full-screen units, 5..15
    uint32_t Colour = 0;       // 0x00BBGGRR, red in the low byte
    int32_t HeadIndex = 0;
    double Heading = 0.0;      // degrees, 0 towards +x, 90 towards +y; never reduced
};

// The crowd of worms, in index order. Empty until built.
class WormCrowd {
public:
    // Builds count worms of length segments, every slot at the origin, each
    // worm taking five draws (size, red, green, blue, heading). False, with
    // the crowd left empty, when memory cannot be had or when count or length
    // lies outside 1..MaxWormsCnt / 1..MaxWormsLen.
    bool Build(int32_t count, int32_t length);
    // Frees every worm's rings, then the worms.
    void Free();

    int32_t Count() const { return count_; }
    Worm& operator[](int32_t i) { return worms_[i]; }
    const Worm& operator[](int32_t i) const { return worms_[i]; }
    Worm* begin() { return worms_.get(); }
    Worm* end() { return worms_.get() + count_; }
    const Worm* begin() const { return worms_.get(); }
    const Worm* end() const { return worms_.get() + count_; }

private:
    std::unique_ptr<Worm[]> worms_;
    int32_t count_ = 0;
};

// The crawl area: the full screen in pixels.
struct CrawlArea {
    int32_t Width;
    int32_t Height;
};

// The rectangle an ellipse is drawn in; the half size is truncated, so a
// size of 5 spans x - 2 to x + 2.
struct SegmentBox {
    int32_t Left, Top, Right, Bottom;
};
SegmentBox SegmentBoxAt(int32_t x, int32_t y, int32_t size);

// The ring slot after the head, which holds the oldest segment.
int32_t OldestSlot(const Worm& worm);


// One step along an axis: direction cosine x size x 0.8, truncated toward zero.
int32_t StepAlong(double cosine, int32_t size);

// A turn of -15..+15 degrees added to the heading; one generator draw.
void TurnWorm(Worm& worm);

// Puts the new head into slot next: one step from the head along the
// heading, wrapped at the area's edges.
void StepWorm(Worm& worm, int32_t next, CrawlArea area);

// The next colour of a soiling worm: one up, 0xFFFFFF wraps to 0.
uint32_t NextColour(uint32_t colour);

// One tick: for each worm in index order the tail is drawn at the oldest
// slot, the worm turns and steps into that slot, a soiling worm's colour moves
// on, and the new head is drawn. The painter draws:
//   painter.Tail(const Worm&, SegmentBox)  before the step (old colour)
//   painter.Head(const Worm&, SegmentBox)  after it (current colour)
template <class Painter>
void CrawlTick(WormCrowd& crowd, int32_t type, CrawlArea area, Painter& painter)
{
    for (Worm& worm : crowd) {
        const int32_t next = OldestSlot(worm);
        painter.Tail(worm, SegmentBoxAt(worm.SegmentX[next], worm.SegmentY[next], worm.SegmentSize));
        TurnWorm(worm);
        StepWorm(worm, next, area);
        if (type == TrailSmear) worm.Colour = NextColour(worm.Colour);
        painter.Head(worm, SegmentBoxAt(worm.SegmentX[next], worm.SegmentY[next], worm.SegmentSize));
        worm.HeadIndex = next;
    }
}

// A painter that draws nothing: the walk alone.
struct NoPainter {
    void Tail(const Worm&, SegmentBox) {}
    void Head(const Worm&, SegmentBox) {}
};
