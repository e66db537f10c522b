#include "worms_table.h"

#include "failure_points.h"
#include "worms_run.h"

namespace {

constexpr SettingChoice Trails[] = {
    {"clear", {u"跡を残す（クリア）", u"Black trail"}},
    {"none", {u"跡を残さない", u"No trail"}},
    {"smear", {u"跡を残す（汚す）", u"Smeared trail"}},
};

constexpr SettingSpec Schema[] = {
    // A stored trail of no mode leaves no trace, rather than the default.
    ChoiceSetting("Type", "trail", DefaultType, TrailClear, Trails)
        .OutsideBecomes(TrailNone)
        .Labelled(u"ワームの痕跡を", u"Trail")
        .Described(u"ワームが残すもの：黒い跡、何も残さない、かすかな汚れ",
                   u"what a worm leaves: a black track, nothing, or faint smears")
        .ShownAt(1),
    NumberSetting("WormsCnt", "worms", DefaultWormsCnt, 1, MaxWormsCnt)
        .OutOfBounds(Beyond::Default, Beyond::Bound)
        .Labelled(u"ワームの数", u"Number of worms")
        .RefusedWith(u"ワームの数は１以上にして下さい", u"The number of worms must be 1 or more.")
        .Described(u"ワームの数", u"worms"),
    NumberSetting("WormsLen", "length", DefaultWormsLen, 1, MaxWormsLen)
        .OutOfBounds(Beyond::Default, Beyond::Bound)
        .Labelled(u"ワームの長さ", u"Worm length")
        .RefusedWith(u"ワームの長さは１以上にして下さい", u"The worm length must be 1 or more.")
        .Described(u"ワームの節の数", u"segments of a worm"),
};
static_assert(sizeof Schema / sizeof Schema[0] == WormsSettingCount, "one schema line per setting");

WormsRun& Of(SaverRun& run) { return static_cast<WormsRun&>(run); }

SaverRun* NewRun() { return NewOrNull<WormsRun>(); }

// The worms are built (and draw their sizes, colours and headings) before
// the window exists; without the memory for them the run ends.
bool Prepare(SaverRun& run, const SettingValues& values, Canvas&, const RunView& v)
{
    const int32_t* n = values.Numbers;
    return StartWorms(Of(run), n[WormsType], n[WormsCount], n[WormsLength], CrawlArea{v.ScreenWidth, v.ScreenHeight});
}

void Create(SaverRun&, const SettingValues&, Canvas&, const RunView&) {}

void Draw(SaverRun& run, Canvas& canvas) { DrawWorms(Of(run), canvas); }

void End(SaverRun&) {}

} // namespace

const SaverTable WormsTable = {
    "Worms",
    {u"色とりどりのワームがデスクトップの上を這い回る。",
     u"Coloured worms random-walk over the desktop, leaving black tracks, no\n"
     u"trace, or faint smears."},
    true,  // over the screen as it was
    true,  // a key or click ends the preview too
    50, Schema, WormsSettingCount, NewRun, Prepare, Create, Draw, End,
};
