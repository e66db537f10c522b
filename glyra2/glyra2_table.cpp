#include "glyra2_table.h"

#include "failure_points.h"
#include "glyra2_run.h"

namespace {

constexpr SettingChoice Speeds[SpeedCount] = {
    {nullptr, {u"高速", u"Very fast"}}, {nullptr, {u"速い", u"Fast"}},          {nullptr, {u"ふつう", u"Normal"}},
    {nullptr, {u"遅い", u"Slow"}},      {nullptr, {u"ゆっくり", u"Very slow"}},
};

constexpr TextSchema Schema =
    MakeTextSchema(48, Speeds, {u"文字の間隔（飛ぶ文字がどれだけ離れるか）", u"how far apart the characters fly"},
                   {u"いちばん近い文字の高さ（ピクセル）", u"the nearest characters' height in pixels"});

Glyra2Run& Of(SaverRun& run) { return static_cast<Glyra2Run&>(run); }

SaverRun* NewRun() { return NewOrNull<Glyra2Run>(); }

// The stored strings take their flights before the seed, the built-in ones
// after it; a run's first window seeds, the others draw on.
bool Prepare(SaverRun& run, const SettingValues& v, Canvas&, const RunView& view)
{
    const int32_t fontSize = BoundedValue(Schema[TextFontSize], v.Numbers[TextFontSize]);
    return PrepareGlyra2(Of(run), v.Strings, v.Numbers[TextSpeed], fontSize, view.ScreenWidth, view.ScreenHeight,
                         view.Index == 0 ? &view.Seed : nullptr);
}

void Create(SaverRun& run, const SettingValues& v, Canvas& canvas, const RunView&)
{
    StartGlyra2(Of(run), canvas, v.Face, v.Numbers[TextBold] != 0, v.Numbers[TextItalic] != 0);
}

void Draw(SaverRun& run, Canvas& canvas) { DrawGlyra2(Of(run), canvas); }

void End(SaverRun& run) { FreeGlyra2Fonts(Of(run)); }

} // namespace

const SaverTable Glyra2Table = {
    "Glyra2",
    {u"文字列が文字の鎖となって三次元の空間を飛び、近づくほど大きく明るくなる。",
     u"Your strings fly through 3-D space as chains of characters that grow and\n"
     u"brighten as they come near."},
    false,  // on black
    false,  // the preview ignores keys and clicks
    50, Schema.data(), TextSettingCount, NewRun, Prepare, Create, Draw, End,
};
