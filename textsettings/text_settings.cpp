#include "text_settings.h"

#include <cstdio>
#include <cstdlib>

#include "default_texts.h"

namespace {
const char ListKeyName[] = "List";
}

TextSettings::TextSettings(const char* keyPath, int32_t defaultFontSize)
    : SettingsKey(keyPath), DefaultFontSize(defaultFontSize)
{
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void TextSettings::LoadSettings()
{
    // Both text savers draw on the black window background, every 50 ms.
    EraseBackground = 1;
    TimerInterval = 50;

    // Loading runs once per process; entries left from an earlier load
    // (only tests load twice) are freed rather than lost.
    if (List.Head) ReleaseList();
    List.Reset();

    // The rings and trails are sized by Speed, so it is sound before any
    // run builds its entries.
    Speed = ClampSpeed(ReadDword("Speed", DefaultSpeed));
    ReadString("FontName", FontName, sizeof FontName, DefaultFontName);
    FontSize = ReadDword("FontSize", DefaultFontSize);
    FontBold = ReadDword("FontBold", 0);
    FontItalic = ReadDword("FontItalic", 0);

    // Created when missing, so a key without "List" gains an empty one.
    HKEY list = CreateSubKey(ListKeyName);
    if (!list) return;
    LoadList(list);
    CloseKey(list);
}

void TextSettings::LoadList(HKEY list)
{
    // Values come in enumeration order, whatever their names and types; the
    // first call that fails (no more values, a name of 6 or more characters,
    // data over 260 bytes) ends the list.
    for (DWORD index = 0;; ++index) {
        char name[ListNameCapacity];
        DWORD nameSize = ListNameCapacity;
        char data[TextBufferSize];
        DWORD dataSize = TextBufferSize;
        if (RegEnumValueA(list, index, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        data[ListTextLength(data, dataSize, TextBufferSize, IsAnsiLeadByte)] = '\0';
        AddText(data);
    }
}

bool TextSettings::SaveSettings()
{
    WriteDword("Speed", static_cast<uint32_t>(Speed));
    WriteString("FontName", FontName);
    WriteDword("FontSize", static_cast<uint32_t>(FontSize));
    WriteDword("FontBold", static_cast<uint32_t>(FontBold));
    WriteDword("FontItalic", static_cast<uint32_t>(FontItalic));

    // Deleted and rebuilt, so no value of an earlier, longer list survives;
    // a "List" that someone gave sub-keys goes as a whole tree.
    if (RegDeleteKeyA(KeyHandle, ListKeyName) != ERROR_SUCCESS) RegDeleteTreeA(KeyHandle, ListKeyName);
    HKEY list = CreateSubKey(ListKeyName);
    if (!list) return false;
    SaveList(list);
    CloseKey(list);
    return true;
}

void TextSettings::SaveList(HKEY list)
{
    int n = 0;
    for (const TextEntry* e = List.Head; e; e = e->Next) {
        ++n;
        char name[16];
        std::snprintf(name, sizeof name, "%d", n);
        char text[TextBufferSize];
        const int32_t bytes = TextToAnsi(e->Text, e->Length, text, TextBufferSize);
        // Written without the terminating zero, like every stored text.
        RegSetValueExA(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(bytes));
    }
}

bool TextSettings::AddText(const char* text) { return AddTextTo(List, text, CP_ACP, Speed, NoEntryState); }

void TextSettings::ReleaseList() { List.Release(NoEntryState); }

bool AddTextTo(TextList& list, const char* text, UINT codePage, int32_t speed, const EntryHooks& hooks)
{
    if (!text) return false;
    const int units = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, nullptr, 0);
    // The count includes the terminator: 1 is an empty text, 0 a failure.
    if (units <= 1) return false;
    TextChar* wide = list.AllocateText(units - 1);
    if (!wide) return false;
    if (MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, wide, units) != units) {
        std::free(wide);
        return false;
    }
    return list.Append(wide, units - 1, speed, hooks);
}

int32_t TextToAnsi(const TextChar* text, int32_t length, char* out, int32_t size)
{
    if (!out || size <= 0) return 0;
    out[0] = '\0';
    // A buffer of one byte holds only the terminator (and a conversion into
    // no bytes would only measure the text).
    if (!text || length <= 0 || size == 1) return 0;
    // The whole text in one call as a rule; only a text too long for the
    // buffer is shortened, one unit at a time and never inside a surrogate
    // pair.
    for (int32_t count = length; count > 0; --count) {
        if (count < length && IS_HIGH_SURROGATE(text[count - 1])) continue;
        const int got = WideCharToMultiByte(CP_ACP, 0, text, count, out, size - 1, nullptr, nullptr);
        if (got > 0) {
            out[got] = '\0';
            return got;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    out[0] = '\0';
    return 0;
}
