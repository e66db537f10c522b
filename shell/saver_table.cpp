#include "saver_table.h"

#include <cstring>

void DefaultValues(const SaverTable& table, SettingValues& values, bool portable)
{
    values.Strings.Reset();
    for (int32_t i = 0; i < table.SettingCount && i < MaxSettings; ++i) {
        const SettingSpec& s = table.Settings[i];
        values.Numbers[i] = s.Default;
        if (s.Kind != SettingKind::Face) continue;
        const char16_t* face = portable ? s.PortableFace : s.FaceDefault;
        int32_t n = 0;
        for (; face && face[n] && n < MaxFaceUnits - 1; ++n) values.Face[n] = static_cast<TextChar>(face[n]);
        values.Face[n] = 0;
    }
}

RunView WholeWindowView(int32_t width, int32_t height, uint32_t seed)
{
    RunView view;
    view.ScreenWidth = view.WindowWidth = width;
    view.ScreenHeight = view.WindowHeight = height;
    view.Seed = seed;
    return view;
}

int32_t ShownOrder(const SaverTable& table, int32_t (&order)[MaxSettings])
{
    const int32_t n = table.SettingCount < MaxSettings ? table.SettingCount : MaxSettings;
    // An insertion sort that keeps the schema order among equal ranks.
    for (int32_t i = 0; i < n; ++i) {
        int32_t at = i;
        while (at > 0 && table.Settings[order[at - 1]].Shown > table.Settings[i].Shown) {
            order[at] = order[at - 1];
            --at;
        }
        order[at] = i;
    }
    return n;
}

int32_t SettingIndex(const SaverTable& table, const char* name)
{
    for (int32_t i = 0; i < table.SettingCount; ++i)
        if (std::strcmp(table.Settings[i].Name, name) == 0) return i;
    return -1;
}

std::unique_ptr<SaverRun> StartRun(const SaverTable& table, const SettingValues& values, Canvas& canvas,
                                   const RunView& view)
{
    std::unique_ptr<SaverRun> run(table.NewRun());
    if (!run || !table.Prepare(*run, values, canvas, view)) return nullptr;
    table.Create(*run, values, canvas, view);
    return run;
}
