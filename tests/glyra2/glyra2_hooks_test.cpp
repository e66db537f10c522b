// Glyra2's hooks under wine, on the program's one settings object and its
// real registry key.
#include "glyra2_saver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "default_texts.h"
#include "random.h"
#include "resource.h"
#include "saver_hooks.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"
#include "win_test_support.h"

namespace {

const char Glyra2Key[] = "Software\\Zamvel\\Glyra2";

void Put(const char* sub, const char* name, DWORD type, const void* data, DWORD size)
{
    const std::string path = sub ? std::string(Glyra2Key) + "\\" + sub : std::string(Glyra2Key);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void PutDword(const char* name, DWORD value) { Put(nullptr, name, REG_DWORD, &value, 4); }
void PutText(const char* name, const char* text)
{
    Put("List", name, REG_SZ, text, static_cast<DWORD>(std::strlen(text)));
}

struct Start {
    int32_t Azimuth, Inclination, Red, Green, Blue;
    bool operator==(const Start& o) const
    {
        return Azimuth == o.Azimuth && Inclination == o.Inclination && Red == o.Red && Green == o.Green &&
               Blue == o.Blue;
    }
};

std::vector<Start> Starts()
{
    std::vector<Start> out;
    for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
        const EntryState& s = *e->State;
        out.push_back({s.Azimuth, s.Inclination, s.Red, s.Green, s.Blue});
    }
    return out;
}

// The starts that count entries built right after seeding with seed get.
std::vector<Start> StartsFromSeed(uint32_t seed, size_t count)
{
    SeedRandom(seed);
    std::vector<Start> out;
    for (size_t i = 0; i < count; ++i) {
        TextChar text[] = L"x";
        TextEntry e;
        e.Text = text;
        e.Length = 1;
        if (!BuildEntryState(e, 3, std::malloc)) break;
        out.push_back({e.State->Azimuth, e.State->Inclination, e.State->Red, e.State->Green, e.State->Blue});
        FreeEntryState(e);
    }
    return out;
}

std::vector<std::wstring> Texts()
{
    std::vector<std::wstring> out;
    for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) out.emplace_back(e->Text, static_cast<size_t>(e->Length));
    return out;
}

class Glyra2Hooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        Release();
        DeleteRegistryTree(Glyra2Key);
    }
    void TearDown() override
    {
        QueryClose(nullptr);
        Release();
        Glyra2().List.Allocate = std::malloc;
        DeleteRegistryTree(Glyra2Key);
    }
};

TEST_F(Glyra2Hooks, ProgramAndDefaults)
{
    EXPECT_STREQ(ThisProgram.Name, "Glyra2");
    EXPECT_FALSE(ThisProgram.PreviewEndsOnInput);
    EXPECT_EQ(&ProgramSettings(), static_cast<SettingsKey*>(&Glyra2()));
    EXPECT_EQ(Glyra2().Space.HalfScreenWidth, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(Glyra2().Space.HalfScreenHeight, GetSystemMetrics(SM_CYSCREEN) / 2);

    Glyra2().LoadFromRegistry();
    EXPECT_EQ(Glyra2().FontSize, 48);
    EXPECT_EQ(Glyra2().Speed, 3);
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
    EXPECT_EQ(Glyra2().EraseBackground, 1);
    EXPECT_EQ(Glyra2().TimerInterval, 50u);
}

// With nothing stored, Prepare adds the six built-in strings in order,
// decoded from code page 932, right after seeding from the tick count.
TEST_F(Glyra2Hooks, PrepareAddsTheBuiltInStringsAfterSeeding)
{
    SeedRandom(1);
    Glyra2().LoadFromRegistry();
    const DWORD before = GetTickCount();
    ASSERT_TRUE(Prepare());
    const DWORD after = GetTickCount();
    EXPECT_EQ(Glyra2().List.EntryCount, 6);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Tutte le strade portano a Roma.", L"The Eyes of Truth.",
                                                  L"少年老い易く、学成り難し", L"光陰矢の如し", L"汝自身を知れ",
                                                  L"士別れて三日なれば、即ちまさに刮目して相待つべし。"}));
    const std::vector<Start> got = Starts();
    bool seeded = false;
    for (DWORD t = before; t <= after && !seeded; ++t) seeded = StartsFromSeed(t, 6) == got;
    EXPECT_TRUE(seeded) << "not drawn from a tick-count seed";
    // The tables are filled.
    EXPECT_DOUBLE_EQ(Glyra2().Space.LimitX[0], ScaleUp(Glyra2().Space.HalfScreenWidth, 0) * 0.98);
    EXPECT_NEAR(Glyra2().Space.SinTable[270], 1.0, 1e-12);
}

// Stored strings are built while loading, before any seeding: the same
// directions and colours on every run.
TEST_F(Glyra2Hooks, StoredStringsStartAlikeOnEveryRun)
{
    PutText("1", "alpha");
    PutText("2", "beta");
    std::vector<Start> runs[2];
    for (auto& run : runs) {
        Release();
        SeedRandom(1);  // the generator's state when a program starts
        Glyra2().LoadFromRegistry();
        ASSERT_TRUE(Prepare());
        run = Starts();
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], StartsFromSeed(1, 2));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"alpha", L"beta"}));
    EXPECT_EQ(Glyra2().List.EntryCount, 2);
}

TEST_F(Glyra2Hooks, AListOfEmptyStringsShowsTheBuiltInOnes)
{
    PutText("1", "");
    Glyra2().LoadFromRegistry();
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Glyra2().List.EntryCount, 6);
}

// FontSize is brought into 6..1000 before the fonts are made: the table
// holds one font per height.
TEST_F(Glyra2Hooks, FontSizeBoundsAndTheTable)
{
    const struct {
        DWORD Stored;
        int32_t Used;
    } cases[] = {{0, 6}, {5, 6}, {static_cast<DWORD>(-7), 6}, {6, 6}, {30, 30}, {5000, 1000}};
    for (const auto& c : cases) {
        Release();
        DeleteRegistryTree(Glyra2Key);
        PutDword("FontSize", c.Stored);
        Glyra2().LoadFromRegistry();
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Glyra2().FontSize, c.Used) << c.Stored;
        ASSERT_TRUE(CreateFonts(true));
        EXPECT_EQ(Glyra2().Fonts.Count, c.Used);
        QueryClose(nullptr);
    }
}

// Every font of the table: its height, the settings' weight and slant,
// unsmoothed, and held by a memory DC of its own until QueryClose deletes
// them all.
TEST_F(Glyra2Hooks, FontsLiveFromCreationToQueryClose)
{
    PutDword("FontSize", 20);
    PutDword("FontBold", 1);
    PutDword("FontItalic", 1);
    Put(nullptr, "FontName", REG_SZ, "Tahoma", 6);
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    ASSERT_TRUE(CreateFonts(true));
    const FontTable& table = Glyra2().Fonts;
    ASSERT_EQ(table.Count, 20);
    std::vector<HFONT> fonts(table.Fonts, table.Fonts + table.Count);
    for (int32_t k = 0; k < table.Count; ++k) {
        SCOPED_TRACE(k);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(fonts[static_cast<size_t>(k)], sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, k + 1);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_TRUE(lf.lfItalic);
        EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        ASSERT_NE(table.Holders[k], nullptr);
        EXPECT_EQ(GetCurrentObject(table.Holders[k], OBJ_FONT), fonts[static_cast<size_t>(k)]);
    }
    EXPECT_TRUE(QueryClose(nullptr));
    EXPECT_EQ(Glyra2().Fonts.Count, 0);
    for (HFONT f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
}

// Memory running out for every built-in string leaves nothing to show: the
// saver ends instead of looping or showing a black screen.
TEST_F(Glyra2Hooks, PrepareFailsOnlyWhenNoEntryCanBeMade)
{
    Glyra2().LoadFromRegistry();
    Glyra2().List.Allocate = [](size_t) -> void* { return nullptr; };
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
}

TEST_F(Glyra2Hooks, OnCreateMakesTheFontsPlacesTheEntriesAndShowsTheWindow)
{
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!window) GTEST_SKIP() << "no display";
    OnCreate(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Glyra2().Fonts.Count, 48);
    for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
        EXPECT_GT(e->State->MaxExtent, 0);
        EXPECT_EQ(e->State->HeadSlot, 0);
        EXPECT_EQ(e->State->ScreenX[e->State->LastSlot], Glyra2().Space.HalfScreenWidth);
    }
    EXPECT_TRUE(QueryClose(window));
    DestroyWindow(window);
}

TEST_F(Glyra2Hooks, ResourcesIconAndVersion)
{
    const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    HRSRC group = FindResourceExA(nullptr, RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_GLYRA2), japanese);
    ASSERT_NE(group, nullptr);
    // One 32 x 32 picture of 16 colours.
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(dir, nullptr);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(dir + 4), 1);
    EXPECT_EQ(dir[6], 32);
    EXPECT_EQ(dir[7], 32);
    const WORD iconId = *reinterpret_cast<const WORD*>(dir + 6 + 12);
    HRSRC image = FindResourceExA(nullptr, RT_ICON, MAKEINTRESOURCEA(iconId), japanese);
    ASSERT_NE(image, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biBitCount, 4);
    EXPECT_NE(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_GLYRA2), IMAGE_ICON, 32, 32, 0), nullptr);
    EXPECT_NE(FindResourceExA(nullptr, RT_DIALOG, MAKEINTRESOURCEA(102), japanese), nullptr);

    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    EXPECT_EQ(translation[0], 0x411);
    EXPECT_EQ(translation[1], 1200);
    const struct {
        const char* Name;
        const char* Value;
    } strings[] = {{"CompanyName", "Zamvel"},        {"FileVersion", "1, 0, 0, 1"},
                   {"ProductVersion", "1, 0, 0, 1"}, {"InternalName", "Glyra2"},
                   {"OriginalFilename", "Glyra2.scr"}, {"ProductName", "Glyra2"}};
    for (const auto& s : strings) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\041104b0\\") + s.Name;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &len)) << s.Name;
        EXPECT_STREQ(value, s.Value);
    }
    wchar_t* description = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104b0\\FileDescription",
                               reinterpret_cast<void**>(&description), &len));
    EXPECT_EQ(std::wstring(description).find(L"Glyra2"), 0u);
}

// Under the Japanese code page the default face finds glyphs for every
// character of the built-in strings, at every height the table holds.
TEST_F(Glyra2Hooks, JapaneseBuiltInStringsHaveGlyphsInTheDefaultFace)
{
    if (GetACP() != 932) {
        if (std::getenv("ZAMVEL_EXPECT_ACP")) FAIL() << "ANSI code page " << GetACP();
        GTEST_SKIP() << "needs ANSI code page 932";
    }
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    ASSERT_TRUE(CreateFonts(true));
    HDC dc = CreateCompatibleDC(nullptr);
    for (int32_t k : {5, 17, 47}) {
        HGDIOBJ old = SelectObject(dc, FontAt(Glyra2().Fonts, k));
        for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
            std::vector<WORD> glyphs(static_cast<size_t>(e->Length));
            ASSERT_EQ(GetGlyphIndicesW(dc, e->Text, e->Length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
                      static_cast<DWORD>(e->Length));
            for (int32_t i = 0; i < e->Length; ++i)
                EXPECT_NE(glyphs[static_cast<size_t>(i)], 0xFFFF) << "height " << k + 1 << ", character " << i;
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
}

// The shared settings dialog, as Glyra2 fills it: its five speed labels,
// the loaded Speed selected.
TEST_F(Glyra2Hooks, JapaneseSpeedBoxHoldsGlyra2sLabels)
{
    if (GetACP() != 932) {
        if (std::getenv("ZAMVEL_EXPECT_ACP")) FAIL() << "ANSI code page " << GetACP();
        GTEST_SKIP() << "needs ANSI code page 932";
    }
    PutDword("Speed", 4);
    Glyra2().LoadFromRegistry();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEXT_SETTINGS), nullptr,
                                     SettingsDialogProc, 0);
    if (!dialog) GTEST_SKIP() << "no display";
    const wchar_t* expected[] = {L"高速", L"速い", L"ふつう", L"遅い", L"ゆっくり"};
    ASSERT_EQ(SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETCOUNT, 0, 0), 5);
    for (int k = 0; k < 5; ++k) {
        wchar_t label[32] = L"";
        SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETLBTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(label));
        EXPECT_STREQ(label, expected[k]) << k;
    }
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETCURSEL, 0, 0), 3);
    DestroyWindow(dialog);
}

} // namespace
