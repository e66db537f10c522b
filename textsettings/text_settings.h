// The settings object of both text savers: the string list, the font and the
// speed, their registry form under the program's key, and AddText. Each
// program has one static settings object of this class. Its list holds the
// stored texts alone; each saver instance copies them into a list of its own
// whose entries carry the saver's animation state.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings_key.h"
#include "text_list.h"
#include "text_rules.h"

class TextSettings : public SettingsKey {
public:
    // defaultFontSize is "FontSize" when none is stored.
    TextSettings(const char* keyPath, int32_t defaultFontSize);

    // Fixed shell values, then "Speed" (brought into 1..5 before any entry
    // is built), the font values and the "List" sub-key's texts. A "List"
    // that a stopped save left only as "List.new" is renamed first.
    void LoadSettings() override;
    // Every value, then the "List" sub-key replaced by one holding "1".."n"
    // in list order: written whole as "List.new" first, then renamed. False
    // when a value could not be written or the new list could not be put in
    // place; the stored list is then the old one, or the new one in
    // "List.new", which the next load takes.
    bool SaveSettings() override;

    // Appends one text of the system's ANSI code page as a new entry; false
    // when the text is empty or memory ran out (the list is then unchanged).
    bool AddText(const char* text);
    // Frees every entry; EntryCount keeps its value.
    void ReleaseList();

    int32_t Speed = 0;
    char FontName[32] = "";
    int32_t FontSize = 0;
    int32_t FontBold = 0;
    int32_t FontItalic = 0;
    TextList List;
    const int32_t DefaultFontSize;

private:
    HKEY OpenList();
    void LoadList(HKEY list);
    bool SaveList();
    bool WriteList(HKEY list) const;
};

// Appends text, of codePage, to list as a new entry whose state hooks build
// with speed; false when the text is empty or memory ran out (the list is then
// unchanged). The built-in strings come in code page 932.
bool AddTextTo(TextList& list, const char* text, UINT codePage, int32_t speed, const EntryHooks& hooks);

// A text converted to the system's ANSI code page into size bytes, always
// zero-terminated; a text too long for the buffer is cut after its last
// whole character that fits. The result is the byte count.
int32_t TextToAnsi(const TextChar* text, int32_t length, char* out, int32_t size);

// Whether a byte starts a two-byte character of the system's ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
