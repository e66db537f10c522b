#include "shown_text.h"

#include "ansi_text.h"
#include "table_texts.h"

const wchar_t* ShownText(const SaverTable& table, const UiText& text)
{
    const int32_t place = TextPlace(table, text);
    if (place >= 0) {
        // A read-only pointer to the string inside the resources, which
        // nothing can refuse: every string of the table ends with its own
        // terminator, counted in its length.
        const wchar_t* string = nullptr;
        const int units = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(FirstTextString + place),
                                      reinterpret_cast<LPWSTR>(&string), 0);
        if (string && units > 1 && string[units - 1] == L'\0') return string;
    }
    return Wide(text.English ? text.English : text.Japanese);
}
