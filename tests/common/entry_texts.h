// The texts of a string list, in order, as strings of its 16-bit units:
// std::wstring in the Windows builds, std::u16string natively.
#pragma once

#include <string>
#include <vector>

#include "text_list.h"

using UnitString = std::basic_string<TextChar>;

// A text that lacks its terminating zero comes back with a noncharacter
// after it, so that it never equals the text a test expects.
inline std::vector<UnitString> EntryTexts(const TextList& list)
{
    std::vector<UnitString> out;
    for (const TextEntry* e = list.Head.get(); e; e = e->Next.get()) {
        out.emplace_back(e->Text.get(), static_cast<size_t>(e->Length));
        if (e->Text[e->Length] != 0) out.back().push_back(static_cast<TextChar>(0xFFFF));
    }
    return out;
}
