// The settings dialog's template as the programs carry it: resource 102 in
// Japanese, every control where the table puts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings_dialog_ids.h"

namespace {

struct Control {
    std::wstring Class;
    std::wstring Text;
    int Id;
    short X, Y, Cx, Cy;
    DWORD Style;
};

struct Template {
    DWORD Style = 0;
    short X = 0, Y = 0, Cx = 0, Cy = 0;
    std::wstring Caption, Face;
    WORD Points = 0;
    std::vector<Control> Controls;
};

// Reads a name-or-ordinal field; ordinals of the predefined classes become
// their names.
std::wstring NameOrOrdinal(const WORD*& p)
{
    if (*p == 0xFFFF) {
        const WORD ordinal = p[1];
        p += 2;
        switch (ordinal) {
        case 0x80: return L"BUTTON";
        case 0x81: return L"EDIT";
        case 0x82: return L"STATIC";
        case 0x83: return L"LISTBOX";
        case 0x84: return L"SCROLLBAR";
        case 0x85: return L"COMBOBOX";
        }
        return L"#" + std::to_wstring(ordinal);
    }
    std::wstring s(reinterpret_cast<const wchar_t*>(p));
    p += s.size() + 1;
    return s;
}

const WORD* AlignDword(const WORD* p)
{
    return reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR(3));
}

bool ReadTemplate(Template& t)
{
    HRSRC found = FindResourceExW(nullptr, reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(IDD_TEXT_SETTINGS),
                                  MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!found) return false;
    const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    if (!p) return false;
    const bool extended = p[0] == 1 && p[1] == 0xFFFF;
    WORD count = 0;
    if (extended) {
        t.Style = *reinterpret_cast<const DWORD*>(p + 6);
        count = p[8];
        p += 9;
    } else {
        t.Style = *reinterpret_cast<const DWORD*>(p);
        count = p[4];
        p += 5;
    }
    t.X = static_cast<short>(p[0]);
    t.Y = static_cast<short>(p[1]);
    t.Cx = static_cast<short>(p[2]);
    t.Cy = static_cast<short>(p[3]);
    p += 4;
    NameOrOrdinal(p);  // menu
    NameOrOrdinal(p);  // class
    t.Caption = NameOrOrdinal(p);
    if (t.Style & DS_SETFONT) {
        t.Points = *p++;
        if (extended) p += 2;  // weight, italic and charset
        t.Face = NameOrOrdinal(p);
    }
    for (WORD i = 0; i < count; ++i) {
        p = AlignDword(p);
        Control c{};
        if (extended) {
            c.Style = *reinterpret_cast<const DWORD*>(p + 4);
            p += 6;
        } else {
            c.Style = *reinterpret_cast<const DWORD*>(p);
            p += 4;
        }
        c.X = static_cast<short>(p[0]);
        c.Y = static_cast<short>(p[1]);
        c.Cx = static_cast<short>(p[2]);
        c.Cy = static_cast<short>(p[3]);
        p += 4;
        if (extended) {
            c.Id = static_cast<int>(*reinterpret_cast<const DWORD*>(p));
            p += 2;
        } else {
            c.Id = static_cast<short>(*p++);
        }
        c.Class = NameOrOrdinal(p);
        c.Text = NameOrOrdinal(p);
        const WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        t.Controls.push_back(c);
    }
    return true;
}

TEST(SettingsDialogResource, FrameCaptionAndFont)
{
    Template t;
    ASSERT_TRUE(ReadTemplate(t));
    EXPECT_EQ(t.Style, static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT));
    EXPECT_EQ(t.Cx, 190);
    EXPECT_EQ(t.Cy, 219);
    EXPECT_EQ(t.Caption, L"Setting");
    EXPECT_EQ(t.Points, 9);
    EXPECT_EQ(t.Face, L"ＭＳ Ｐゴシック");
}

TEST(SettingsDialogResource, ControlsInTabOrder)
{
    const DWORD base = WS_CHILD | WS_VISIBLE;
    const Control expected[] = {
        {L"STATIC", L"&String List", -1, 10, 0, 50, 10, base | WS_GROUP | SS_LEFT},
        {L"LISTBOX", L"", 1005, 5, 10, 180, 70,
         base | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
             LBS_DISABLENOSCROLL},
        {L"BUTTON", L"新規(&N)", 1007, 5, 85, 30, 15, base | WS_TABSTOP | BS_PUSHBUTTON},
        {L"BUTTON", L"更新(&U)", 1008, 40, 85, 30, 15, base | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {L"BUTTON", L"削除(&D)", 1009, 155, 85, 30, 15, base | WS_TABSTOP | BS_PUSHBUTTON},
        {L"EDIT", L"", 1000, 5, 100, 180, 15, base | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {L"STATIC", L"&Font List", -1, 5, 120, 50, 10, base | WS_GROUP | SS_LEFT},
        {L"LISTBOX", L"", 1010, 5, 130, 80, 81,
         base | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT |
             LBS_DISABLENOSCROLL},
        {L"EDIT", L"", 1011, 90, 130, 26, 13, base | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_CENTER},
        {L"BUTTON", L"&Bold", 1012, 90, 150, 30, 12, base | WS_TABSTOP | BS_AUTOCHECKBOX},
        {L"BUTTON", L"&Italic", 1013, 90, 165, 30, 12, base | WS_TABSTOP | BS_AUTOCHECKBOX},
        {L"STATIC", L"s&Peed", -1, 90, 185, 45, 10, base | WS_GROUP | SS_LEFT},
        {L"COMBOBOX", L"", 1014, 90, 196, 45, 72, base | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
        {L"BUTTON", L"OK", IDOK, 145, 175, 40, 15, base | WS_TABSTOP | BS_PUSHBUTTON},
        {L"BUTTON", L"ｷｬﾝｾﾙ", IDCANCEL, 145, 195, 40, 15, base | WS_TABSTOP | BS_PUSHBUTTON},
    };
    Template t;
    ASSERT_TRUE(ReadTemplate(t));
    ASSERT_EQ(t.Controls.size(), std::size(expected));
    for (size_t i = 0; i < t.Controls.size(); ++i) {
        const Control& got = t.Controls[i];
        const Control& want = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(_wcsicmp(got.Class.c_str(), want.Class.c_str()), 0);
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.Id, want.Id);
        EXPECT_EQ(got.X, want.X);
        EXPECT_EQ(got.Y, want.Y);
        EXPECT_EQ(got.Cx, want.Cx);
        EXPECT_EQ(got.Cy, want.Cy);
        EXPECT_EQ(got.Style, want.Style) << std::hex << got.Style << " vs " << want.Style;
    }
}

} // namespace
