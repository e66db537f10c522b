#include "glyra2_test_support.h"

#include "gdi_canvas.h"
#include "text_schema.h"
#include "win_test_support.h"

SaverView Glyra2View(int32_t index) { return RunView(1024, 768, index); }

bool MakeFonts(Glyra2InstanceRun& run)
{
    const SettingValues& v = ProgramSettings().Values;
    GdiCanvas fonts(nullptr);
    return MakeGlyra2Fonts(*run, fonts, v.Face, v.Numbers[TextBold] != 0, v.Numbers[TextItalic] != 0);
}

void Glyra2Test::SetUp()
{
    ProgramSettings().Values.Strings.Reset();
    DeleteRegistryTree(Glyra2Key);
}

void Glyra2Test::TearDown()
{
    ProgramSettings().Values.Strings.Reset();
    DeleteRegistryTree(Glyra2Key);
}
