// A Strings setting in the registry: a sub-key of the program's key (its
// name is the setting's, "List") holding one string value per string,
// named "1".."n" in list order, in the system's ANSI code page without a
// terminator. A save writes the new list whole under NAME.new first and
// only then puts it in NAME's place, so the stored list is never lost: a
// save that stopped is finished by the next load.
#pragma once

#include <windows.h>

#include "text_list.h"

// The stored strings under key into list (texts alone), in the order the
// registry enumerates them, whatever their names and types; a name of 6 or
// more characters or data over 260 bytes ends the loading. A missing
// sub-key is created empty.
void LoadStoredList(HKEY key, const char* name, TextList& list);

// list written in the sub-key's place; false when it could not be put in
// place whole: the stored list is then the old one, or the new one in
// NAME.new, which the next load takes.
bool SaveStoredList(HKEY key, const char* name, const TextList& list);

// Whether the sub-key holds a list a load would take.
bool StoredListExists(HKEY key, const char* name);
