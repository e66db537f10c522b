// The tables as the page's script reads them: JSON in ASCII alone (every
// other character as \uXXXX, so no text needs converting on the way), from
// malloc, zero-terminated; null without memory.
#pragma once

#include "saver_table.h"

// A saver as its panel shows it: its name, whether it draws over a picture,
// what it shows, and its settings in the order they are listed for a user,
// each with its place in the schema, option, kind, default, bounds, labels,
// help, refusal and choices; every text in both languages ({"ja", "en"}).
char* SaverJson(const SaverTable& table);

// The values of the settings, in schema order: numbers, flags as true or
// false, the face as text, the strings as one text with one a line.
char* ValuesJson(const SaverTable& table, const SettingValues& values);

// One text in both languages.
char* UiTextJson(const UiText& text);
