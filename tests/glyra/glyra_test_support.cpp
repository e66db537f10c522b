#include "glyra_test_support.h"

#include "failure_points.h"
#include "win_test_support.h"

const char GlyraKey[] = "Software\\Zamvel\\Glyra";

void Store(const StoredSettings& s)
{
    DeleteRegistryTree(GlyraKey);
    PutDword(GlyraKey, "Speed", static_cast<DWORD>(s.Speed));
    PutDword(GlyraKey, "FontSize", static_cast<DWORD>(s.FontSize));
    PutDword(GlyraKey, "FontBold", static_cast<DWORD>(s.Bold));
    PutDword(GlyraKey, "FontItalic", static_cast<DWORD>(s.Italic));
    PutValue(GlyraKey, "FontName", REG_SZ, s.FontName);
    const std::string list = std::string(GlyraKey) + "\\List";
    CreateKey(list);
    for (size_t i = 0; i < s.Texts.size(); ++i) PutValue(list, std::to_string(i + 1), REG_SZ, s.Texts[i]);
}

SaverView GlyraView(int32_t index) { return RunView(1024, 768, index); }

void GlyraTest::SetUp()
{
    ProgramSettings().Values.Strings.Reset();
    DeleteRegistryTree(GlyraKey);
}

void GlyraTest::TearDown()
{
    ClearFailurePlan();
    ProgramSettings().Values.Strings.Reset();
    DeleteRegistryTree(GlyraKey);
}
