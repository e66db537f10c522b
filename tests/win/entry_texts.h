// The texts of a text saver's list, in order, for the wine tests of the
// programs that link the text settings.
#pragma once

#include <string>
#include <vector>

#include "text_list.h"

inline std::vector<std::wstring> EntryTexts(const TextList& list)
{
    std::vector<std::wstring> out;
    for (const TextEntry* e = list.Head; e; e = e->Next) out.emplace_back(e->Text, static_cast<size_t>(e->Length));
    return out;
}
