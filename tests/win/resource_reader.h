// Reads back the resources a test program carries: resources by type, id
// and language (Japanese unless told), dialog templates control by control,
// icon groups and the version record of the program's own file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr WORD JapaneseLanguage = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 1041
constexpr WORD EnglishLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033

// The resource of this module in exactly that language, or null.
const BYTE* FindResourceIn(WORD language, LPCSTR type, WORD id, DWORD* size = nullptr);
// The Japanese (1041) resource of this module, or null.
const BYTE* FindJapaneseResource(LPCSTR type, WORD id, DWORD* size = nullptr);

struct DialogControl {
    DWORD Style = 0, ExStyle = 0;
    short X = 0, Y = 0, Cx = 0, Cy = 0;
    int Id = 0;  // a classic template's 0xFFFF reads -1
    std::wstring Class;  // a name, or "#<ordinal>" for a predefined class
    std::wstring Text;
    WORD ExtraBytes = 0;  // creation data after the control
};

struct DialogTemplate {
    bool Extended = false;
    DWORD Style = 0, ExStyle = 0;
    short X = 0, Y = 0, Cx = 0, Cy = 0;
    std::wstring Menu, Class, Caption;  // names, or "#<ordinal>"
    WORD Points = 0;
    std::wstring Face;
    std::vector<DialogControl> Controls;
};

// Parses dialog template id in that language, classic or extended.
bool ReadDialogTemplate(WORD id, DialogTemplate& out, WORD language = JapaneseLanguage);

// The name of a predefined class ordinal ("#128" is "BUTTON"); other
// classes come back unchanged.
std::wstring PredefinedClassName(const std::wstring& cls);

// The first entry of a Japanese icon group.
struct IconGroup {
    WORD Count = 0;  // pictures in the group
    BYTE Width = 0, Height = 0, Colours = 0;
    WORD FirstImage = 0;  // the RT_ICON id of the first picture
};
bool ReadIconGroup(WORD id, IconGroup& out);
// The header of a Japanese RT_ICON picture, or null.
const BITMAPINFOHEADER* IconImageHeader(WORD id);

// The version record of this program's own file.
class VersionRecord {
public:
    VersionRecord();
    bool Loaded() const { return !info_.empty(); }
    // The fixed part, or null.
    const VS_FIXEDFILEINFO* Fixed() const;
    // VarFileInfo\Translation as words: language, code page, ...
    std::vector<WORD> Translation() const;
    // A value of the "041104b0" string block, or "(missing)".
    std::wstring String(const wchar_t* name) const;

private:
    std::vector<BYTE> info_;
};
