#include "glyra2_test_support.h"

#include "gdi_canvas.h"
#include "saver_font.h"
#include "win_test_support.h"

SaverView Glyra2View(int32_t index) { return RunView(1024, 768, index); }

bool MakeFonts(Glyra2InstanceRun& run)
{
    wchar_t face[LF_FACESIZE];
    FaceNameToWide(Glyra2().FontName, face);
    GdiCanvas fonts(nullptr);
    return MakeGlyra2Fonts(run->Run, fonts, face, Glyra2().FontBold != 0, Glyra2().FontItalic != 0);
}

void Glyra2Test::SetUp()
{
    Glyra2().ReleaseList();
    DeleteRegistryTree(Glyra2Key);
}

void Glyra2Test::TearDown()
{
    Glyra2().ReleaseList();
    DeleteRegistryTree(Glyra2Key);
}
