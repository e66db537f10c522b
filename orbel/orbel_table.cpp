#include "orbel_table.h"

#include "failure_points.h"
#include "orbel_run.h"

namespace {

constexpr SettingSpec Schema[] = {
    NumberSetting("Count", "count", DefaultCount, 1, MaxCount)
        .OutOfBounds(Beyond::Default, Beyond::Bound)
        .Labelled(u"質点の数", u"Number of points")
        .RefusedWith(u"質点の数は１以上にして下さい", u"The number of points must be 1 or more.")
        .Described(u"質点の数", u"mass points"),
};
static_assert(sizeof Schema / sizeof Schema[0] == OrbelSettingCount, "one schema line per setting");

OrbelRun& Of(SaverRun& run) { return static_cast<OrbelRun&>(run); }

SaverRun* NewRun() { return NewOrNull<OrbelRun>(); }

bool Prepare(SaverRun&, const SettingValues&, Canvas&, const RunView&) { return true; }

// The points are laid out when the window appears: on Windows after every
// monitor's run is prepared.
void Create(SaverRun& run, const SettingValues& values, Canvas&, const RunView& v)
{
    StartOrbel(Of(run), values.Numbers[OrbelCount], v.ScreenWidth, v.ScreenHeight, v.WindowWidth, v.WindowHeight);
}

void Draw(SaverRun& run, Canvas& canvas) { DrawOrbel(Of(run), canvas); }

void End(SaverRun& run) { EndOrbel(Of(run)); }

} // namespace

const SaverTable OrbelTable = {
    "Orbel",
    {u"質点が互いに引き合い、集まり、すれ違い、飛び散る。",
     u"Mass points pull on each other by inverse-square gravity, clump, swing\n"
     u"through one another and fly apart."},
    false,  // on black
    true,   // a key or click ends the preview too
    50, Schema, OrbelSettingCount, NewRun, Prepare, Create, Draw, End,
};
