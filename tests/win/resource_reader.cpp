#include "resource_reader.h"

#include <cstring>

namespace {

// Walks a template's words; reads are unaligned-safe.
class TemplateCursor {
public:
    explicit TemplateCursor(const BYTE* data) : start_(data), p_(data) {}
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return static_cast<short>(Word()); }
    void Skip(size_t bytes) { p_ += bytes; }
    // A name, or "#<ordinal>".
    std::wstring NameOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
        std::wstring s;
        for (WORD c = first; c != 0; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    void AlignDword() { p_ = start_ + ((p_ - start_ + 3) & ~static_cast<ptrdiff_t>(3)); }

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

void ReadControl(TemplateCursor& t, bool extended, DialogControl& c)
{
    t.AlignDword();
    if (extended) {
        t.Dword();  // help id
        c.ExStyle = t.Dword();
        c.Style = t.Dword();
    } else {
        c.Style = t.Dword();
        c.ExStyle = t.Dword();
    }
    c.X = t.Short();
    c.Y = t.Short();
    c.Cx = t.Short();
    c.Cy = t.Short();
    c.Id = extended ? static_cast<int>(t.Dword()) : t.Short();
    c.Class = t.NameOrOrdinal();
    c.Text = t.NameOrOrdinal();
    c.ExtraBytes = t.Word();
    t.Skip(c.ExtraBytes);
}

} // namespace

const BYTE* FindResourceIn(WORD language, LPCSTR type, WORD id, DWORD* size)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

const BYTE* FindJapaneseResource(LPCSTR type, WORD id, DWORD* size)
{
    return FindResourceIn(JapaneseLanguage, type, id, size);
}

bool ReadDialogTemplate(WORD id, DialogTemplate& out, WORD language)
{
    const BYTE* data = FindResourceIn(language, MAKEINTRESOURCEA(5) /* RT_DIALOG */, id);
    if (!data) return false;
    TemplateCursor t(data);
    out = DialogTemplate{};
    const WORD version = t.Word(), signature = t.Word();
    out.Extended = version == 1 && signature == 0xFFFF;
    WORD count = 0;
    if (out.Extended) {
        t.Dword();  // help id
        out.ExStyle = t.Dword();
        out.Style = t.Dword();
    } else {
        out.Style = MAKELONG(version, signature);
        out.ExStyle = t.Dword();
    }
    count = t.Word();
    out.X = t.Short();
    out.Y = t.Short();
    out.Cx = t.Short();
    out.Cy = t.Short();
    out.Menu = t.NameOrOrdinal();
    out.Class = t.NameOrOrdinal();
    out.Caption = t.NameOrOrdinal();
    if (out.Style & DS_SETFONT) {
        out.Points = t.Word();
        if (out.Extended) t.Skip(4);  // weight, italic and charset
        out.Face = t.NameOrOrdinal();
    }
    out.Controls.resize(count);
    for (DialogControl& c : out.Controls) ReadControl(t, out.Extended, c);
    return true;
}

std::wstring PredefinedClassName(const std::wstring& cls)
{
    const wchar_t* const names[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    for (int k = 0; k < 6; ++k)
        if (cls == L"#" + std::to_wstring(0x80 + k)) return names[k];
    return cls;
}

bool ReadIconGroup(WORD id, IconGroup& out)
{
    const BYTE* dir = FindJapaneseResource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, id);
    if (!dir) return false;
    // The directory's header is 6 bytes; each entry 14, its id at 12.
    std::memcpy(&out.Count, dir + 4, 2);
    out.Width = dir[6];
    out.Height = dir[7];
    out.Colours = dir[8];
    std::memcpy(&out.FirstImage, dir + 6 + 12, 2);
    return true;
}

const BITMAPINFOHEADER* IconImageHeader(WORD id)
{
    return reinterpret_cast<const BITMAPINFOHEADER*>(FindJapaneseResource(MAKEINTRESOURCEA(3) /* RT_ICON */, id));
}

VersionRecord::VersionRecord()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return;
    info_.resize(size);
    if (!GetFileVersionInfoW(path, 0, size, info_.data())) info_.clear();
}

const VS_FIXEDFILEINFO* VersionRecord::Fixed() const
{
    void* fixed = nullptr;
    UINT length = 0;
    if (!Loaded() || !VerQueryValueW(info_.data(), L"\\", &fixed, &length)) return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

std::vector<WORD> VersionRecord::Translation() const
{
    void* words = nullptr;
    UINT length = 0;
    if (!Loaded() || !VerQueryValueW(info_.data(), L"\\VarFileInfo\\Translation", &words, &length)) return {};
    const WORD* w = static_cast<const WORD*>(words);
    return std::vector<WORD>(w, w + length / 2);
}

std::wstring VersionRecord::String(const wchar_t* name) const
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    if (!Loaded() || !VerQueryValueW(info_.data(), query.c_str(), &value, &length)) return L"(missing)";
    return static_cast<const wchar_t*>(value);
}
