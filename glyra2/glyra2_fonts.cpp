#include "glyra2_fonts.h"

#include <cstdlib>

bool CreateFontTable(FontTable& table, const FontRequest& request)
{
    DeleteFontTable(table);
    if (request.Size <= 0) return false;
    const size_t count = static_cast<size_t>(request.Size);
    table.Fonts = static_cast<HFONT*>(std::calloc(count, sizeof(HFONT)));
    table.Holders = static_cast<HDC*>(std::calloc(count, sizeof(HDC)));
    if (!table.Fonts || !table.Holders) {
        DeleteFontTable(table);
        return false;
    }
    table.Count = request.Size;
    for (int32_t k = 0; k < table.Count; ++k) {
        table.Fonts[k] = CreateSaverFont(k + 1, request.Bold, request.Italic, request.FaceName);
        if (!table.Fonts[k] || !request.KeepAlive) continue;
        table.Holders[k] = CreateCompatibleDC(nullptr);
        if (table.Holders[k]) SelectObject(table.Holders[k], table.Fonts[k]);
    }
    return true;
}

void DeleteFontTable(FontTable& table)
{
    for (int32_t k = 0; k < table.Count; ++k) {
        // The DC goes first, so that the font is selected nowhere when it
        // is deleted.
        if (table.Holders[k]) DeleteDC(table.Holders[k]);
        if (table.Fonts[k]) DeleteObject(table.Fonts[k]);
    }
    std::free(table.Fonts);
    std::free(table.Holders);
    table = FontTable{};
}

HFONT FontAt(const FontTable& table, int32_t k)
{
    if (k < 0 || k >= table.Count) return nullptr;
    return table.Fonts[k];
}
