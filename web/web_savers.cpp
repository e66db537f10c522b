// FOR NOW, until the savers' tables land in the core: each saver wired by
// hand to its platform-free run, as x11/*_x11.cpp does for Linux, with a
// hand-written settings schema. The generic adapter over the tables
// replaces this file; nothing else in web/ names a saver.
#include "web_savers.h"

#include <cstring>
#include <new>

#include "glyra2_run.h"
#include "glyra_run.h"
#include "orbel_run.h"
#include "random.h"
#include "text_codec.h"
#include "text_rules.h"
#include "worms_run.h"

namespace {

// The schemas: numbers under "below-default-above-max" load as the
// Windows programs load a stored count; "clamp" goes to the nearer end;
// "unknown-becomes" takes "fallback" for a choice that is none of them.
// The text savers' settings but the speed's names and the font size's default.
#define TEXT_SETTINGS(NAME, TITLE, SPEED2, SPEED2_EN, SPEED4, SPEED4_EN, SPEED5, SPEED5_EN, FONT_SIZE)                   \
    R"json({"name":")json" NAME R"json(","title":")json" TITLE R"json(","picture":false,"settings":[)json"                  \
    R"json({"stored":"Speed","option":"speed","kind":"number","default":3,"min":1,"max":5,"policy":"clamp",)json"          \
    R"json("label":{"ja":"速度","en":"Speed"},"choices":[{"value":1,"label":{"ja":"高速","en":"Fastest"}},)json"          \
    R"json({"value":2,"label":{"ja":")json" SPEED2 R"json(","en":")json" SPEED2_EN R"json("}},)json"                      \
    R"json({"value":3,"label":{"ja":"ふつう","en":"Normal"}},)json"                                                       \
    R"json({"value":4,"label":{"ja":")json" SPEED4 R"json(","en":")json" SPEED4_EN R"json("}},)json"                      \
    R"json({"value":5,"label":{"ja":")json" SPEED5 R"json(","en":")json" SPEED5_EN R"json("}}]},)json"                    \
    R"json({"stored":"FontName","option":"font","kind":"face","default":"IPAPMincho","max":255,)json"                     \
    R"json("label":{"ja":"フォント","en":"Font"}},)json"                                                                  \
    R"json({"stored":"FontSize","option":"font-size","kind":"number","default":)json" FONT_SIZE                         \
    R"json(,"min":6,"max":400,"policy":"clamp","label":{"ja":"サイズ","en":"Size"}},)json"                                \
    R"json({"stored":"FontBold","option":"bold","kind":"flag","default":false,"label":{"ja":"太字","en":"Bold"}},)json"  \
    R"json({"stored":"FontItalic","option":"italic","kind":"flag","default":false,)json"                                  \
    R"json("label":{"ja":"斜体","en":"Italic"}},)json"                                                                    \
    R"json({"stored":"List","option":"strings","kind":"lines","default":"","max":259,)json"                               \
    R"json("label":{"ja":"文字列","en":"Strings"}}]})json"

const char* const Schemas[WebSaverCount] = {
    TEXT_SETTINGS("glyra2", "Glyra2", "速い", "Fast", "遅い", "Slow", "ゆっくり", "Slowest", "48"),
    TEXT_SETTINGS("glyra", "Glyra", "急いで", "Hurried", "ゆっくり", "Slow", "そっと", "Gently", "32"),
    R"json({"name":"orbel","title":"Orbel","picture":false,"settings":[
{"stored":"Count","option":"count","kind":"number","default":300,"min":1,"max":3500,"policy":"below-default-above-max",
 "message":{"ja":"質点の数は１以上にして下さい","en":"The number of mass points must be 1 or more."},
 "label":{"ja":"質点の数","en":"Number of mass points"}}]})json",
    R"json({"name":"worms","title":"Worms","picture":true,"settings":[
{"stored":"WormsCnt","option":"worms","kind":"number","default":100,"min":1,"max":2000,"policy":"below-default-above-max",
 "message":{"ja":"ワームの数は１以上にして下さい","en":"The number of worms must be 1 or more."},
 "label":{"ja":"ワームの数","en":"Number of worms"}},
{"stored":"WormsLen","option":"length","kind":"number","default":10,"min":1,"max":1000,"policy":"below-default-above-max",
 "message":{"ja":"ワームの長さは１以上にして下さい","en":"The length of the worms must be 1 or more."},
 "label":{"ja":"ワームの長さ","en":"Length of the worms"}},
{"stored":"Type","option":"trail","kind":"choice","default":0,"policy":"unknown-becomes","fallback":1,
 "label":{"ja":"ワームの痕跡を","en":"The worms' traces"},
 "choices":[{"value":0,"option":"clear","label":{"ja":"跡を残す（クリア）","en":"Leave a trail (cleared)"}},
  {"value":1,"option":"none","label":{"ja":"跡を残さない","en":"Leave no trail"}},
  {"value":2,"option":"smear","label":{"ja":"跡を残す（汚す）","en":"Leave a trail (soiling)"}}]}]})json",
};

enum Saver : int32_t { Glyra2 = 0, Glyra = 1, Orbel = 2, Worms = 3 };

// The settings objects, one per saver.
struct TextValues {
    explicit TextValues(int32_t fontSize) : FontSize(fontSize) { std::strcpy(Face, "IPAPMincho"); }
    ~TextValues() { List.Release(NoEntryState); }
    int32_t Speed = DefaultSpeed;
    char Face[256];
    int32_t FontSize;
    bool Bold = false, Italic = false;
    TextList List;  // empty: the built-in strings
};
TextValues Glyra2Values(48), GlyraValues(32);
int32_t OrbelCount = DefaultCount;
int32_t WormsValues[3] = {DefaultWormsCnt, DefaultWormsLen, DefaultType};

TextValues* TextValuesOf(int32_t saver)
{
    return saver == Glyra2 ? &Glyra2Values : saver == Glyra ? &GlyraValues : nullptr;
}

// One text a line, empty lines left out; a line longer than a stored text
// (259 units) is cut, never inside a surrogate pair.
void SetLines(TextList& list, const char* utf8)
{
    list.Release(NoEntryState);
    list.Reset();
    constexpr int32_t MaxUnits = static_cast<int32_t>(TextBufferSize) - 1;
    TextChar units[4 * TextBufferSize];
    for (const char* line = utf8; *line;) {
        const char* end = std::strchr(line, '\n');
        size_t n = end ? static_cast<size_t>(end - line) : std::strlen(line);
        const char* next = end ? end + 1 : line + n;
        if (n > 0 && line[n - 1] == '\r') --n;
        // Only the start of a long line is decoded; back up to a whole character.
        size_t take = n < 4 * MaxUnits ? n : 4 * MaxUnits;
        while (take < n && take > 0 && (static_cast<unsigned char>(line[take]) & 0xC0) == 0x80) --take;
        int32_t length = Utf8ToUtf16(line, take, units, static_cast<int32_t>(sizeof units / sizeof units[0]));
        if (length > MaxUnits) length = units[MaxUnits - 1] >= 0xD800 && units[MaxUnits - 1] <= 0xDBFF ? MaxUnits - 1 : MaxUnits;
        TextChar* copy = length > 0 ? list.AllocateText(length) : nullptr;
        if (copy) {
            std::memcpy(copy, units, sizeof(TextChar) * static_cast<size_t>(length));
            copy[length] = 0;
            list.Append(copy, length, 0, NoEntryState);
        }
        line = next;
    }
}

// A saver's run and its tick.
template <class Run, void (*DrawRun)(Run&, Canvas&)>
class RunOf final : public WebRun {
public:
    void Draw(Canvas& canvas) override { DrawRun(Of, canvas); }
    Run Of;
};
using OrbelWeb = RunOf<OrbelRun, DrawOrbel>;
using WormsWeb = RunOf<WormsRun, DrawWorms>;
using Glyra2Web = RunOf<Glyra2Run, DrawGlyra2>;
using GlyraWeb = RunOf<GlyraRun, DrawGlyra>;

void Face(const TextValues& v, TextChar (&face)[256])
{
    const int32_t n = Utf8ToUtf16(v.Face, std::strlen(v.Face), face, 255);
    face[n < 0 ? 0 : n] = 0;
}

WebRun* StartText(int32_t saver, Canvas& canvas, const WebView& view)
{
    const TextValues& v = *TextValuesOf(saver);
    TextChar face[256];
    Face(v, face);
    if (saver == Glyra2) {
        Glyra2Web* w = new (std::nothrow) Glyra2Web;
        if (!w) return nullptr;
        if (!PrepareGlyra2(w->Of, v.List, v.Speed, v.FontSize, view.Width, view.Height, &view.Seed, view.AddBuiltIn)) {
            delete w;
            return nullptr;
        }
        StartGlyra2(w->Of, canvas, face, v.Bold, v.Italic);
        return w;
    }
    GlyraWeb* w = new (std::nothrow) GlyraWeb;
    if (!w) return nullptr;
    GlyraRun& r = w->Of;
    if (!PrepareGlyra(r, v.List, v.Speed, v.FontSize, GlyraScreen{view.Width, view.Height, view.Width, view.Height},
                      &view.Seed, view.AddBuiltIn)) {
        delete w;
        return nullptr;
    }
    // Without its font the run draws in the canvas's own, as on Windows.
    r.Font = canvas.MakeFont(face, r.FontSize, v.Bold, v.Italic);
    PlaceEntries(r, canvas);
    return w;
}

} // namespace

const char* WebSaverSchema(int32_t saver)
{
    return saver >= 0 && saver < WebSaverCount ? Schemas[saver] : nullptr;
}

bool WebSetNumber(int32_t saver, int32_t setting, int32_t value)
{
    if (TextValues* v = TextValuesOf(saver)) {
        switch (setting) {
        case 0: v->Speed = ClampSpeed(value); return true;
        case 2: v->FontSize = ClampFontSize(value); return true;
        case 3: v->Bold = value != 0; return true;
        case 4: v->Italic = value != 0; return true;
        default: return false;
        }
    }
    if (saver == Orbel && setting == 0) return OrbelCount = ValidCount(value), true;
    if (saver != Worms || setting < 0 || setting > 2) return false;
    int32_t (*const valid[])(int32_t) = {ValidWormsCnt, ValidWormsLen, ValidType};
    WormsValues[setting] = valid[setting](value);
    return true;
}

bool WebSetText(int32_t saver, int32_t setting, const char* utf8)
{
    TextValues* v = TextValuesOf(saver);
    if (!v || !utf8) return false;
    if (setting == 1) {
        // An empty or overlong face name keeps the default.
        const size_t n = std::strlen(utf8);
        std::strcpy(v->Face, n > 0 && n < sizeof v->Face ? utf8 : "IPAPMincho");
        return true;
    }
    if (setting != 5) return false;
    SetLines(v->List, utf8);
    return true;
}

WebRun* WebStart(int32_t saver, Canvas& canvas, const WebView& view)
{
    SeedRandom(1);
    if (saver == Glyra2 || saver == Glyra) return StartText(saver, canvas, view);
    if (view.SeedGiven) SeedRandom(view.Seed);
    if (saver == Orbel) {
        OrbelWeb* w = new (std::nothrow) OrbelWeb;
        if (w) StartOrbel(w->Of, OrbelCount, view.Width, view.Height, view.Width, view.Height);
        return w;
    }
    if (saver != Worms) return nullptr;
    WormsWeb* w = new (std::nothrow) WormsWeb;
    if (w && !StartWorms(w->Of, WormsValues[2], WormsValues[0], WormsValues[1], CrawlArea{view.Width, view.Height})) {
        delete w;
        return nullptr;
    }
    return w;
}
