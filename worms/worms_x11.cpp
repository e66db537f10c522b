// Worms as a Linux program (zamvel-worms): its three settings from
// --worms, --length and --trail, its worms crawling over the screen as it
// was, drawn through an X canvas.
#include <cstring>
#include <new>

#include "hack_main.h"
#include "worms_run.h"

namespace {

struct WormsSettings {
    int32_t Type = DefaultType;
    int32_t Count = DefaultWormsCnt;
    int32_t Length = DefaultWormsLen;
};
WormsSettings Settings;

const HackOption Options[] = {
    {"worms", OptionKind::Number, "N", "worms, 1 to 2000 (default 100)"},
    {"length", OptionKind::Number, "N", "segments of a worm, 1 to 1000 (default 10)"},
    {"trail", OptionKind::Text, "clear|none|smear",
     "what a worm leaves: a black track, nothing, or faint smears (default clear)"},
};

const char* const TrailNames[] = {"clear", "none", "smear"};

class WormsHack final : public HackRun {
public:
    WormsRun Run;
};

bool TakeCount(const HackCommand& c, const char* name, int32_t& field, int32_t (*valid)(int32_t), const char* range)
{
    const OptionValue* v = ValueOf(c, name);
    if (!v) return true;
    int32_t n = 0;
    if (!ReadNumber(c, *v, n)) return false;
    // As stored values load on Windows: below 1 the default, above the
    // bound the bound.
    field = Bounded(c, *v, n, valid, range);
    return true;
}

bool TakeSettings(const HackCommand& c)
{
    if (!TakeCount(c, "worms", Settings.Count, ValidWormsCnt, "1 to 2000") ||
        !TakeCount(c, "length", Settings.Length, ValidWormsLen, "1 to 1000"))
        return false;
    if (const OptionValue* v = ValueOf(c, "trail")) {
        int32_t type = -1;
        for (int32_t t = TrailClear; t <= TrailSmear; ++t)
            if (std::strcmp(v->Text, TrailNames[t]) == 0) type = t;
        if (type < 0) {
            // As an unknown stored "Type" loads on Windows: no trail.
            SayAbout(c, *v, "is none of clear, none, smear; using none");
            type = ValidType(type);
        }
        Settings.Type = type;
    }
    return true;
}

HackRun* Start(Canvas&, const HackView& view)
{
    WormsHack* h = new (std::nothrow) WormsHack;
    if (h && !StartWorms(h->Run, Settings.Type, Settings.Count, Settings.Length, CrawlArea{view.Width, view.Height})) {
        delete h;
        return nullptr;
    }
    return h;
}

void Draw(HackRun& run, Canvas& canvas) { DrawWorms(static_cast<WormsHack&>(run).Run, canvas); }

const HackProgram Program = {
    "zamvel-worms", "worms", "Worms", Options, 3, true, TakeSettings, Start, Draw,
};

} // namespace

int main(int argc, char** argv) { return HackMain(Program, argc, argv); }
