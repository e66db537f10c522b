#include "text_settings.h"

#include <cstdio>
#include <cstdlib>

#include "default_texts.h"
#include "failure_points.h"
#include "registry_calls.h"

namespace {
const char ListKeyName[] = "List";
// Where a save writes the new list before it takes the place of "List".
const char NewListKeyName[] = "List.new";

bool RenameNewList(HKEY key) { return RegistryRenameKey(key, L"List.new", L"List") == ERROR_SUCCESS; }
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

    HKEY list = OpenList();
    if (!list) return;
    LoadList(list);
    CloseKey(list);
}

HKEY TextSettings::OpenList()
{
    if (!KeyHandle) return nullptr;
    HKEY list = nullptr;
    const LONG opened = RegistryOpenKey(KeyHandle, ListKeyName, KEY_ALL_ACCESS, &list);
    if (opened == ERROR_SUCCESS) return list;
    if (opened != ERROR_FILE_NOT_FOUND) return nullptr;
    // A save stopped between deleting "List" and renaming "List.new" left
    // the new list complete: it takes its place now, or is read where it is
    // when it cannot (an empty "List" beside it would hide it for good).
    if (!RenameNewList(KeyHandle) &&
        RegistryOpenKey(KeyHandle, NewListKeyName, KEY_READ, &list) == ERROR_SUCCESS)
        return list;
    // Created when missing, so a key without "List" gains an empty one.
    return CreateSubKey(ListKeyName);
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
        if (RegistryEnumValue(list, index, name, &nameSize, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        data[ListTextLength(data, dataSize, TextBufferSize, IsAnsiLeadByte)] = '\0';
        AddText(data);
    }
}

bool TextSettings::SaveSettings()
{
    // Each value is written whatever became of the others; any failure
    // makes the save report failure.
    bool saved = WriteDword("Speed", static_cast<uint32_t>(Speed));
    saved = WriteString("FontName", FontName) && saved;
    saved = WriteDword("FontSize", static_cast<uint32_t>(FontSize)) && saved;
    saved = WriteDword("FontBold", static_cast<uint32_t>(FontBold)) && saved;
    saved = WriteDword("FontItalic", static_cast<uint32_t>(FontItalic)) && saved;
    return SaveList() && saved;
}

// The new list is written whole into "List.new" and only then put in the
// place of "List", so that whenever the save stops, the stored list is
// whole: the old one in "List" until it is deleted, the new one in
// "List.new" from then until the rename (loading finishes such a save).
bool TextSettings::SaveList()
{
    if (!KeyHandle) return false;
    // What a failed save left goes first; a "List.new" that stays would mix
    // stale values into the new list, so then nothing is saved.
    RegistryDeleteTree(KeyHandle, NewListKeyName);
    HKEY list = nullptr;
    DWORD made = 0;
    if (RegistryCreateKey(KeyHandle, NewListKeyName, &list, &made) != ERROR_SUCCESS) return false;
    bool whole = made == REG_CREATED_NEW_KEY && WriteList(list);
    CloseKey(list);
    // "List" goes as a whole tree, in case someone gave it sub-keys; its
    // values go at once with the key itself.
    if (whole) {
        const LONG deleted = RegistryDeleteTree(KeyHandle, ListKeyName);
        whole = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    } else {
        whole = false;
    }
    if (!whole) {
        // The old list is still in place, whole: the new one goes.
        RegistryDeleteTree(KeyHandle, NewListKeyName);
        return false;
    }
    // Should the rename fail, the next load finds the new list in "List.new".
    return RenameNewList(KeyHandle);
}

bool TextSettings::WriteList(HKEY list) const
{
    int n = 0;
    for (const TextEntry* e = List.Head; e; e = e->Next) {
        ++n;
        char name[16];
        std::snprintf(name, sizeof name, "%d", n);
        char text[TextBufferSize];
        const int32_t bytes = TextToAnsi(e->Text, e->Length, text, TextBufferSize);
        // Written without the terminating zero, like every stored text.
        if (RegistrySetValue(list, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(bytes)) !=
            ERROR_SUCCESS)
            return false;
    }
    return true;
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
        FreeMemory(wide);
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
