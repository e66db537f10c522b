// The settings object of both text savers: the string list, the font and the
// speed, their registry form under the program's key, and the common half of
// AddText. Each program derives its one static settings object from it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings_key.h"
#include "text_list.h"
#include "text_rules.h"

// What differs between the two text savers' settings.
struct TextSaverProfile {
    int32_t DefaultFontSize;  // "FontSize" when none is stored
    EntryHooks Hooks;         // builds and frees the saver's state of an entry
};

class TextSettings : public SettingsKey {
public:
    TextSettings(const char* keyPath, const TextSaverProfile& profile);

    // Fixed shell values, then "Speed" (brought into 1..5 before any entry
    // is built), the font values and the "List" sub-key's texts.
    void LoadSettings() override;
    // Every value, then the "List" sub-key rebuilt as "1".."n" in list
    // order; false only when "List" cannot be created.
    bool SaveSettings() override;

    // Appends one text of the system's ANSI code page as a new entry; false
    // when the text is empty or memory ran out (the list is then unchanged).
    bool AddText(const char* text);
    // The same for a text in another code page: the built-in strings are
    // decoded from code page 932.
    bool AddTextInCodePage(const char* text, UINT codePage);
    // Frees every entry; EntryCount keeps its value.
    void ReleaseList();

    int32_t Speed = 0;
    char FontName[32] = "";
    int32_t FontSize = 0;
    int32_t FontBold = 0;
    int32_t FontItalic = 0;
    TextList List;
    const TextSaverProfile& Profile;

private:
    void LoadList(HKEY list);
    void SaveList(HKEY list);
};

// A text converted to the system's ANSI code page into size bytes, always
// zero-terminated; a text too long for the buffer is cut after its last
// whole character that fits. The result is the byte count.
int32_t TextToAnsi(const TextChar* text, int32_t length, char* out, int32_t size);

// Whether a byte starts a two-byte character of the system's ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
