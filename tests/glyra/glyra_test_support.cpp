#include "glyra_test_support.h"

#include "win_test_support.h"

const char GlyraKey[] = "Software\\Zamvel\\Glyra";

namespace {

void SetDword(HKEY key, const char* name, int32_t value)
{
    const DWORD v = static_cast<DWORD>(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
}

} // namespace

void Store(const StoredSettings& s)
{
    DeleteRegistryTree(GlyraKey);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, GlyraKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    SetDword(key, "Speed", s.Speed);
    SetDword(key, "FontSize", s.FontSize);
    SetDword(key, "FontBold", s.Bold);
    SetDword(key, "FontItalic", s.Italic);
    RegSetValueExA(key, "FontName", 0, REG_SZ, reinterpret_cast<const BYTE*>(s.FontName),
                   static_cast<DWORD>(lstrlenA(s.FontName)));
    HKEY list = nullptr;
    if (RegCreateKeyExA(key, "List", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list, nullptr) == ERROR_SUCCESS) {
        for (size_t i = 0; i < s.Texts.size(); ++i)
            RegSetValueExA(list, std::to_string(i + 1).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(s.Texts[i].data()), static_cast<DWORD>(s.Texts[i].size()));
        RegCloseKey(list);
    }
    RegCloseKey(key);
}

size_t Lit(const std::vector<uint32_t>& pixels)
{
    size_t n = 0;
    for (uint32_t p : pixels) n += p != 0;
    return n;
}

uint32_t AsColorref(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

SmoothingOn::SmoothingOn()
{
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &was_, 0);
    SystemParametersInfoA(SPI_GETFONTSMOOTHINGTYPE, 0, &type_, 0);
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, TRUE, nullptr, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0, reinterpret_cast<void*>(FE_FONTSMOOTHINGSTANDARD),
                          SPIF_UPDATEINIFILE);
}

SmoothingOn::~SmoothingOn()
{
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(type_)),
                          SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, was_, nullptr, SPIF_UPDATEINIFILE);
}
