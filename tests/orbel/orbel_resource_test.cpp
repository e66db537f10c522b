// Orbel's resources as the program carries them: the dialog template
// control by control, and the Japanese texts read back as UTF-16.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::u16string U16(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

std::u16string WindowTextW(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return U16(text);
}

// Reads a classic (not extended) dialog template.
class TemplateReader {
public:
    explicit TemplateReader(const void* data) : p(static_cast<const BYTE*>(data)), start(p) {}
    DWORD Dword()
    {
        DWORD v;
        memcpy(&v, p, 4);
        p += 4;
        return v;
    }
    WORD Word()
    {
        WORD v;
        memcpy(&v, p, 2);
        p += 2;
        return v;
    }
    short Short() { return static_cast<short>(Word()); }
    // A string, or "#n" for an ordinal.
    std::u16string SzOrOrd()
    {
        const WORD first = Word();
        if (first == 0xFFFF) return u"#" + std::u16string(1, static_cast<char16_t>(Word()));
        std::u16string s;
        for (WORD c = first; c != 0; c = Word()) s += static_cast<char16_t>(c);
        return s;
    }
    void AlignDword() { p = start + ((p - start + 3) & ~3); }

private:
    const BYTE* p;
    const BYTE* start;
};

struct Control {
    WORD Id;
    std::u16string Class;
    std::u16string Text;
    short X, Y, Cx, Cy;
    DWORD Style;
};

const void* Resource(const char* type, WORD id, DWORD* size = nullptr)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceExA(module, type, MAKEINTRESOURCEA(id), Japanese);
    if (!r) return nullptr;
    if (size) *size = SizeofResource(module, r);
    return LockResource(LoadResource(module, r));
}

TEST(OrbelResources, IconAndDialogAreJapanese)
{
    EXPECT_NE(Resource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDI_ORBEL), nullptr);
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ORBEL)), nullptr);
    EXPECT_NE(Resource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, IDD_SETTING), nullptr);
}

TEST(OrbelResources, DialogTemplateAsTabulated)
{
    const void* data = Resource(MAKEINTRESOURCEA(5), IDD_SETTING);
    ASSERT_NE(data, nullptr);
    TemplateReader t(data);
    const DWORD style = t.Dword();
    ASSERT_NE(style, 0xFFFF0001u) << "a classic template";
    EXPECT_EQ(style, static_cast<DWORD>(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_VISIBLE | WS_CAPTION |
                                        WS_SYSMENU));
    EXPECT_EQ(t.Dword(), 0u);
    const WORD items = t.Word();
    EXPECT_EQ(t.Short(), 0);
    EXPECT_EQ(t.Short(), 0);
    EXPECT_EQ(t.Short(), 103);
    EXPECT_EQ(t.Short(), 49);
    EXPECT_EQ(t.SzOrOrd(), u"");  // no menu
    EXPECT_EQ(t.SzOrOrd(), u"");  // the dialog class
    EXPECT_EQ(t.SzOrOrd(), u"Setting");
    EXPECT_EQ(t.Word(), 9);
    EXPECT_EQ(t.SzOrOrd(), u"ＭＳ Ｐゴシック");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const Control expected[] = {
        {IDOK, u"#\x80", u"OK", 60, 5, 40, 15, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, u"#\x80", u"ｷｬﾝｾﾙ", 60, 25, 40, 15, child | BS_PUSHBUTTON | WS_TABSTOP},
        {0xFFFF, u"#\x82", u"質点の数", 5, 5, 45, 15, child | SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE | WS_GROUP},
        {IDC_COUNT, u"#\x81", u"", 20, 25, 30, 15, child | ES_CENTER | ES_NUMBER | WS_BORDER | WS_TABSTOP},
    };
    ASSERT_EQ(items, 4);
    for (const Control& e : expected) {
        t.AlignDword();
        Control c{};
        c.Style = t.Dword();
        EXPECT_EQ(t.Dword(), 0u);
        c.X = t.Short();
        c.Y = t.Short();
        c.Cx = t.Short();
        c.Cy = t.Short();
        c.Id = t.Word();
        c.Class = t.SzOrOrd();
        c.Text = t.SzOrOrd();
        EXPECT_EQ(t.Word(), 0) << "no creation data";
        SCOPED_TRACE(e.Id);
        EXPECT_EQ(c.Id, e.Id);
        EXPECT_EQ(c.Class, e.Class);
        EXPECT_EQ(c.Text, e.Text);
        EXPECT_EQ(c.X, e.X);
        EXPECT_EQ(c.Y, e.Y);
        EXPECT_EQ(c.Cx, e.Cx);
        EXPECT_EQ(c.Cy, e.Cy);
        EXPECT_EQ(c.Style, e.Style) << std::hex << c.Style << " vs " << e.Style;
    }
}

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(OrbelResources, DialogTextsComeOutAsUtf16)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                     PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowTextW(dialog), u"Setting");
    EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDOK)), u"OK");
    EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDCANCEL)), u"ｷｬﾝｾﾙ");
    HWND label = GetWindow(GetDlgItem(dialog, IDCANCEL), GW_HWNDNEXT);
    EXPECT_EQ(WindowTextW(label), u"質点の数");
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_EQ(U16(font.lfFaceName), u"ＭＳ Ｐゴシック");
    DestroyWindow(dialog);
}

TEST(OrbelResources, VersionRecordNamesTheProgramInJapanese)
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    ASSERT_EQ(len, 4u);
    EXPECT_EQ(translation[0], 0x411);
    EXPECT_EQ(translation[1], 1200);

    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"CompanyName", L"Zamvel"},
        {L"FileDescription", L"Orbel 質点の引力スクリーンセーバー"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Orbel"},
        {L"OriginalFilename", L"Orbel.scr"},
        {L"ProductName", L"Orbel"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    for (const auto& s : strings) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + s.name;
        wchar_t* value = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &len))
            << "missing " << query.size();
        EXPECT_EQ(U16(value), U16(s.value));
    }
}

} // namespace
