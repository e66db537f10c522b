// Every text of a saver's table in one fixed order, so that each has a
// place: the description; each setting's label, refusal, help and choice
// labels, in schema order; the notices its runs may give; and the words a
// failed save is told with. A text with neither form (a setting that
// refuses nothing) has no place. Each Windows program carries these texts
// as its string table, written from the table in this order when it is
// built (tools/string_table.cpp): the text at place p is string
// FirstTextString + p, in Japanese and in US English. No platform header.
#pragma once

#include <cstdint>

#include "saver_table.h"

constexpr int32_t FirstTextString = 1000;

// The text at place, or null past the last one.
const UiText* TableText(const SaverTable& table, int32_t place);

// The place of text, one of the table's own texts (not a copy of one), or
// -1 when it is none of them.
int32_t TextPlace(const SaverTable& table, const UiText& text);
