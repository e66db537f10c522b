#include "glyra2_entry.h"

#include <utility>

#include "failure_points.h"
#include "random.h"
#include "text_schema.h"

namespace {
constexpr int RingArrays = 6;
// sqrt(r^2 + g^2 + b^2) >= 225, in exact integers.
constexpr int32_t BrightSquare = 225 * 225;
}

bool BuildFlightPath(TextEntry& entry, int32_t speed)
{
    // Loading brings Speed into 1..5; 0 would still make a sound ring, and
    // the bounds keep the ring's size arithmetic small whatever comes in.
    const int32_t spacing = speed < 0 ? 0 : (speed > MaxSpeed ? MaxSpeed : speed);
    const int32_t lastSlot = entry.Length * (spacing + 1);
    const size_t slots = static_cast<size_t>(lastSlot) + 1;

    std::unique_ptr<FlightPath> s(NewOrNull<FlightPath>());
    if (!s) return false;
    s->Rings.reset(NewArrayOrNull<int32_t>(RingArrays * slots));
    if (!s->Rings) return false;
    int32_t* const rings = s->Rings.get();
    s->Spacing = spacing;
    s->LastSlot = lastSlot;
    s->PathX = rings;
    s->PathY = rings + slots;
    s->PathZ = rings + 2 * slots;
    s->ScreenX = rings + 3 * slots;
    s->ScreenY = rings + 4 * slots;
    s->FontIndex = rings + 5 * slots;

    s->Azimuth = RandomInt(360);
    const double x = RandomReal(3.0);
    const int32_t n = RandomInt(60);
    s->Inclination = TruncToInt(n + (x - 1) * 90 - 30);
    // Only bright colours; each channel is kept in 8 bits, so a drawn 256
    // is 0, and the test uses the kept value.
    do {
        s->Red = static_cast<uint8_t>(RandomInt(256));
        s->Green = static_cast<uint8_t>(RandomInt(256));
        s->Blue = static_cast<uint8_t>(RandomInt(256));
    } while (s->Red * s->Red + s->Green * s->Green + s->Blue * s->Blue < BrightSquare);

    entry.State = std::move(s);
    return true;
}

void StartEntry(FlightPath& s, int32_t fontSize, const Glyra2Space& space)
{
    s.PrevSlot = 0;
    s.HeadSlot = 0;
    s.MaxExtent = 0;
    const int32_t farFont = ScaleDown(fontSize, FarDepth) + 2;
    for (int32_t k = 0; k <= s.LastSlot; ++k) {
        s.PathX[k] = 0;
        s.PathY[k] = 0;
        s.PathZ[k] = FarDepth;
        s.ScreenX[k] = space.HalfScreenWidth;
        s.ScreenY[k] = space.HalfScreenHeight;
        s.FontIndex[k] = farFont;
    }
}

int32_t MoveLeader(FlightPath& s, const Glyra2Space& space)
{
    const int32_t cur = s.HeadSlot;
    const int32_t prev = s.PrevSlot;

    s.Azimuth += (RandomInt(3) - 1) * 20;
    s.Inclination += (RandomInt(3) - 1) * 10;
    // The slot still holds the depth of one ring ago.
    s.Inclination = DampInclination(s.Inclination, s.PathZ[cur]);
    s.Azimuth = WrapAngle(s.Azimuth);
    s.Inclination = WrapAngle(s.Inclination);

    const int32_t step = ScaleDown(s.MaxExtent, s.PathZ[cur]);
    const int32_t h = TruncToInt(step * space.SinTable[s.Inclination + 180]);
    const int32_t d = TruncToInt(step * space.CosTable[s.Inclination + 180]);

    // Read before writing: on the first tick prev and cur are one slot.
    const int32_t x0 = s.PathX[prev];
    const int32_t y0 = s.PathY[prev];
    const int32_t z0 = s.PathZ[prev];
    s.PathX[cur] = x0 + TruncToInt(h * space.CosTable[s.Azimuth + 180]);
    s.PathY[cur] = y0 + TruncToInt(h * space.SinTable[s.Azimuth + 180]);
    s.PathZ[cur] = z0 + d;

    // The depth stays where it was and the heading turns back in depth;
    // x and y of the move stand.
    if (s.PathZ[cur] < 0 || s.PathZ[cur] > FarDepth) {
        s.PathZ[cur] = z0;
        s.Inclination = BounceInclination(s.Inclination);
    }

    const int32_t z = s.PathZ[cur];
    s.PathX[cur] = SideWrap(s.PathX[cur], step, space.LimitX[z]);
    s.PathY[cur] = SideWrap(s.PathY[cur], step, space.LimitY[z]);
    return step;
}

void ProjectSlot(FlightPath& s, int32_t step, int32_t fontSize, const Glyra2Space& space)
{
    const int32_t cur = s.HeadSlot;
    const int32_t z = s.PathZ[cur];
    s.ScreenX[cur] = ScaleDown(s.PathX[cur], z) + space.HalfScreenWidth - step / 2;
    s.ScreenY[cur] = ScaleDown(s.PathY[cur], z) + space.HalfScreenHeight - step / 2;
    s.FontIndex[cur] = ScaleDown(fontSize, z) + 2;
}

void AdvanceRing(FlightPath& s)
{
    s.PrevSlot = s.HeadSlot;
    s.HeadSlot = s.HeadSlot == s.LastSlot ? 0 : s.HeadSlot + 1;
}

int32_t SlotBehind(const FlightPath& s, int32_t slot)
{
    slot -= s.Spacing;
    if (slot < 0) slot += s.LastSlot + 1;
    return slot;
}

int32_t ClampedFontIndex(FlightPath& s, int32_t slot, int32_t fontSize)
{
    int32_t k = s.FontIndex[slot];
    if (k > fontSize - 1) k = fontSize - 1;
    if (k < 0) k = 0;
    s.FontIndex[slot] = k;
    return k;
}
