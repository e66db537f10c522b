#include "glyra_table.h"

#include "failure_points.h"
#include "glyra_run.h"

const UiText FontMissingText = {u"failed to creating font.",
                                 u"The font could not be created; the strings are drawn in the default font."};

namespace {

constexpr SettingChoice Speeds[SpeedCount] = {
    {nullptr, {u"高速", u"Very fast"}}, {nullptr, {u"急いで", u"Fast"}},      {nullptr, {u"ふつう", u"Normal"}},
    {nullptr, {u"ゆっくり", u"Slow"}},  {nullptr, {u"そっと", u"Very slow"}},
};

constexpr TextSchema Schema = MakeTextSchema(32, Speeds, {u"文字列の這う速さ", u"how fast the strings crawl"},
                                             {u"文字の高さ（ピクセル）", u"the characters' height in pixels"});

GlyraRun& Of(SaverRun& run) { return static_cast<GlyraRun&>(run); }

SaverRun* NewRun() { return NewOrNull<GlyraRun>(); }

// The strings, the seed (a run's first window only) and the built-in
// strings' draws, then the one font of the drawing.
bool Prepare(SaverRun& run, const SettingValues& v, Canvas& fonts, const RunView& view)
{
    GlyraRun& r = Of(run);
    const GlyraScreen screen{view.ScreenWidth, view.ScreenHeight, view.WindowWidth, view.WindowHeight};
    const int32_t fontSize = BoundedValue(Schema[TextFontSize], v.Numbers[TextFontSize]);
    if (!PrepareGlyra(r, v.Strings, v.Numbers[TextSpeed], fontSize, screen, view.Index == 0 ? &view.Seed : nullptr))
        return false;
    r.Font = fonts.MakeFont(v.Face, r.FontSize, v.Numbers[TextBold] != 0, v.Numbers[TextItalic] != 0);
    if (!r.Font) r.Notice = &FontMissingText;
    return true;
}

// The colours and headings are drawn as the window appears.
void Create(SaverRun& run, const SettingValues&, Canvas& canvas, const RunView&) { PlaceEntries(Of(run), canvas); }

void Draw(SaverRun& run, Canvas& canvas) { DrawGlyra(Of(run), canvas); }

void End(SaverRun&) {}

} // namespace

const SaverTable GlyraTable = {
    "Glyra",
    {u"文字列が文字の蛇となって画面を這い回る。", u"Your strings crawl over the screen as flat snakes of text."},
    false,  // on black
    false,  // the preview ignores keys and clicks
    50, Schema.data(), TextSettingCount, NewRun, Prepare, Create, Draw, End,
    &FontMissingText, 1,  // its one notice
};
