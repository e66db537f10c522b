// Worms' resources as built from worms.rc: the icon, dialog 102 control by
// control with its Japanese texts, and the version information.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

const BYTE* Resource(const char* type, WORD id, DWORD* size = nullptr)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), Japanese);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

// Walks a classic dialog template.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : start_(data), p_(data) {}
    DWORD Dword() { return Read<DWORD>(); }
    WORD Word() { return Read<WORD>(); }
    short Short() { return static_cast<short>(Read<WORD>()); }
    // A text, or "#<ordinal>" for an ordinal.
    std::wstring TextOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
        std::wstring text;
        for (WORD c = first; c != 0; c = Word()) text += static_cast<wchar_t>(c);
        return text;
    }
    void AlignToDword() { p_ = start_ + ((p_ - start_ + 3) & ~static_cast<ptrdiff_t>(3)); }

private:
    template <class T>
    T Read()
    {
        T value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    const BYTE* start_;
    const BYTE* p_;
};

TEST(WormsResources, IconIsOne32By32SixteenColourImage)
{
    const BYTE* group = Resource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDI_WORMS);
    ASSERT_NE(group, nullptr);
    WORD count;
    std::memcpy(&count, group + 4, 2);
    EXPECT_EQ(count, 1);
    const BYTE* entry = group + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[2], 16) << "colours";
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WORMS));
    EXPECT_NE(icon, nullptr);
}

TEST(WormsResources, SettingDialogHasTheTabulatedControls)
{
    const BYTE* data = Resource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, IDD_SETTING);
    ASSERT_NE(data, nullptr);
    TemplateReader t(data);
    const DWORD style = t.Dword();
    const DWORD wanted = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(style & wanted, wanted);
    t.Dword();  // extended style
    const WORD count = t.Word();
    t.Short();
    t.Short();
    EXPECT_EQ(t.Short(), 139);
    EXPECT_EQ(t.Short(), 95);
    EXPECT_EQ(t.TextOrOrdinal(), L"");  // no menu
    EXPECT_EQ(t.TextOrOrdinal(), L"");  // the standard dialog class
    EXPECT_EQ(t.TextOrOrdinal(), L"Setting");
    EXPECT_EQ(t.Word(), 9);
    EXPECT_EQ(t.TextOrOrdinal(), L"ＭＳ Ｐゴシック");

    const DWORD sunkenLabel = SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE | WS_GROUP;
    const DWORD numberEdit = ES_CENTER | ES_NUMBER | WS_BORDER | WS_TABSTOP;
    const struct {
        WORD id;
        const wchar_t* cls;
        const wchar_t* text;
        short x, y, cx, cy;
        DWORD style;
    } want[] = {
        {IDOK, L"#128", L"OK", 95, 5, 40, 15, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, L"#128", L"ｷｬﾝｾﾙ", 95, 25, 40, 15, BS_PUSHBUTTON | WS_TABSTOP},
        {0xFFFF, L"#130", L"ワームの数", 5, 5, 45, 15, sunkenLabel},
        {IDC_WORMS_CNT, L"#129", L"", 55, 5, 30, 15, numberEdit},
        {0xFFFF, L"#130", L"ワームの長さ", 5, 25, 45, 15, sunkenLabel},
        {IDC_WORMS_LEN, L"#129", L"", 55, 25, 30, 15, numberEdit},
        {IDC_TRAIL_CLEAR, L"#128", L"跡を残す（クリア）", 15, 55, 65, 10, BS_AUTORADIOBUTTON | WS_GROUP},
        {IDC_TRAIL_NONE, L"#128", L"跡を残さない", 15, 65, 65, 10, BS_AUTORADIOBUTTON},
        {IDC_TRAIL_SMEAR, L"#128", L"跡を残す（汚す）", 15, 75, 65, 10, BS_AUTORADIOBUTTON},
        {0xFFFF, L"#128", L"ワームの痕跡を", 5, 45, 80, 45, BS_GROUPBOX},
    };
    ASSERT_EQ(count, std::size(want));
    for (const auto& w : want) {
        SCOPED_TRACE(testing::Message() << "control " << w.id << " at " << w.x << "," << w.y);
        t.AlignToDword();
        const DWORD itemStyle = t.Dword();
        t.Dword();
        EXPECT_EQ(t.Short(), w.x);
        EXPECT_EQ(t.Short(), w.y);
        EXPECT_EQ(t.Short(), w.cx);
        EXPECT_EQ(t.Short(), w.cy);
        EXPECT_EQ(t.Word(), w.id);
        EXPECT_EQ(t.TextOrOrdinal(), w.cls);
        EXPECT_EQ(t.TextOrOrdinal(), w.text);
        t.Word();  // no creation data
        EXPECT_EQ(itemStyle, w.style | WS_CHILD | WS_VISIBLE);
    }
}

std::string VersionString(const std::vector<BYTE>& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\041104b0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return "(missing)";
    return value;
}

TEST(WormsResources, VersionNamesTheProgram)
{
    DWORD size = 0;
    const BYTE* data = Resource(MAKEINTRESOURCEA(16) /* RT_VERSION */, VS_VERSION_INFO, &size);
    ASSERT_NE(data, nullptr);
    std::vector<BYTE> info(data, data + size);
    info.resize(size * 2);  // room for the conversions VerQueryValue may do

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    const struct {
        const char* name;
        const char* value;
    } strings[] = {{"CompanyName", "Zamvel"},        {"FileDescription", "Worms screen saver"},
                   {"FileVersion", "1, 0, 0, 1"},    {"InternalName", "Worms"},
                   {"OriginalFilename", "Worms.scr"}, {"ProductName", "Worms"},
                   {"ProductVersion", "1, 0, 0, 1"}};
    for (const auto& s : strings) EXPECT_EQ(VersionString(info, s.name), s.value) << s.name;

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x411);
    EXPECT_EQ(translation[1], 1200);
}

} // namespace
