#include "glyra_trail.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "failure_points.h"
#include "random.h"
#include "text_schema.h"

double DegreesToRadians(int32_t degrees) { return degrees * DegreePi / 180; }

bool BuildCrawlTrail(TextEntry& entry, int32_t speed)
{
    if (entry.Length <= 0) return false;
    // Loading brings Speed into 1..5; the bounds here keep every character's
    // trail point inside the trail whatever comes in.
    const int32_t spacing = speed < MinSpeed ? MinSpeed : (speed > MaxSpeed ? MaxSpeed : speed);
    const size_t length = static_cast<size_t>(entry.Length);
    const size_t trail = length * static_cast<size_t>(spacing);
    if (trail > static_cast<size_t>(INT32_MAX)) return false;

    std::unique_ptr<CrawlTrail> s(NewOrNull<CrawlTrail>());
    if (!s) return false;
    // One block: TrailX, TrailY, CharX, CharY; StartEntry fills them.
    s->Arrays.reset(NewArrayOrNull<int32_t>(2 * trail + 2 * length));
    if (!s->Arrays) return false;
    int32_t* const arrays = s->Arrays.get();
    s->Spacing = spacing;
    s->TrailLength = static_cast<int32_t>(trail);
    s->TrailX = arrays;
    s->TrailY = arrays + trail;
    s->CharX = arrays + 2 * trail;
    s->CharY = arrays + 2 * trail + length;
    entry.State = std::move(s);
    return true;
}

int32_t TrailIndex(int32_t character, int32_t spacing) { return character * spacing; }

int32_t StepLengthFor(double widest, int32_t spacing)
{
    const int32_t step = TruncToInt(widest / spacing);
    return step < MinStepLength ? MinStepLength : step;
}

void StartEntry(TextEntry& entry, int32_t x, int32_t y, double& widest, MeasureFn measure, void* context)
{
    CrawlTrail& s = TrailOf(entry);
    for (int32_t k = 0; k < s.TrailLength; ++k) {
        s.TrailX[k] = x;
        s.TrailY[k] = y;
    }
    for (int32_t i = 0; i < entry.Length; ++i) {
        s.CharX[i] = x;
        s.CharY[i] = y;
        const int32_t width = measure(&entry.Text[i], context);
        if (width > widest) widest = width;
    }
    s.StepLength = StepLengthFor(widest, s.Spacing);
    const uint32_t red = static_cast<uint32_t>(ColourFloor + RandomInt(ColourSpread));
    const uint32_t green = static_cast<uint32_t>(ColourFloor + RandomInt(ColourSpread));
    const uint32_t blue = static_cast<uint32_t>(ColourFloor + RandomInt(ColourSpread));
    s.TextColour = red + green * 256 + blue * 65536;
    s.Direction = DegreesToRadians(RandomInt(360));
    s.TurnLimit = DegreesToRadians(RandomInt(TurnLimitSpread) + TurnLimitFloor);
}

void AdvanceLeader(CrawlTrail& s, int32_t screenWidth, int32_t screenHeight)
{
    // Point 0 keeps the leader's last position until the step below.
    for (int32_t k = s.TrailLength - 1; k >= 1; --k) {
        s.TrailX[k] = s.TrailX[k - 1];
        s.TrailY[k] = s.TrailY[k - 1];
    }
    s.Direction += (RandomReal(2.0) - 1.0) * s.TurnLimit;
    s.TrailX[0] = WrapCoordinate(int64_t{s.TrailX[0]} + TruncToInt(std::cos(s.Direction) * s.StepLength), screenWidth);
    s.TrailY[0] = WrapCoordinate(int64_t{s.TrailY[0]} + TruncToInt(std::sin(s.Direction) * s.StepLength), screenHeight);
}

void MoveCharacters(TextEntry& entry)
{
    CrawlTrail& s = TrailOf(entry);
    for (int32_t i = 0; i < entry.Length; ++i) {
        const int32_t k = TrailIndex(i, s.Spacing);
        s.CharX[i] = s.TrailX[k];
        s.CharY[i] = s.TrailY[k];
    }
}
