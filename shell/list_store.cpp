#include "list_store.h"

#include <cstdio>

#include "ansi_text.h"
#include "registry_calls.h"
#include "text_rules.h"

namespace {

// "List" and "List.new", narrow and wide.
struct ListNames {
    char Name[32], New[40];
    wchar_t WideName[32], WideNew[40];

    explicit ListNames(const char* name)
    {
        std::snprintf(Name, sizeof Name, "%s", name);
        std::snprintf(New, sizeof New, "%s.new", name);
        MultiByteToWideChar(CP_ACP, 0, Name, -1, WideName, 32);
        MultiByteToWideChar(CP_ACP, 0, New, -1, WideNew, 40);
    }
};

bool RenameNewList(HKEY key, const ListNames& n)
{
    return RegistryRenameKey(key, n.WideNew, n.WideName) == ERROR_SUCCESS;
}

HKEY OpenList(HKEY key, const ListNames& n)
{
    HKEY list = nullptr;
    const LONG opened = RegistryOpenKey(key, n.Name, KEY_ALL_ACCESS, &list);
    if (opened == ERROR_SUCCESS) return list;
    if (opened != ERROR_FILE_NOT_FOUND) return nullptr;
    // A save stopped between deleting the list and renaming the new one left
    // the new list complete: it takes its place now, or is read where it is
    // when it cannot (an empty list beside it would hide it for good).
    if (!RenameNewList(key, n) && RegistryOpenKey(key, n.New, KEY_READ, &list) == ERROR_SUCCESS) return list;
    // Created when missing, so a key without a list gains an empty one.
    if (RegistryCreateKey(key, n.Name, &list, nullptr) != ERROR_SUCCESS) return nullptr;
    return list;
}

bool WriteList(HKEY list, const TextList& strings)
{
    int n = 0;
    for (const TextEntry* e = strings.Head.get(); e; e = e->Next.get()) {
        ++n;
        char name[16];
        std::snprintf(name, sizeof name, "%d", n);
        char text[TextBufferSize];
        const int32_t bytes = TextToAnsi(e->Text.get(), e->Length, text, TextBufferSize);
        // Written without the terminating zero, like every stored text.
        if (RegistrySetValue(list, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(bytes)) !=
            ERROR_SUCCESS)
            return false;
    }
    return true;
}

} // namespace

void LoadStoredList(HKEY key, const char* name, TextList& list)
{
    if (!key) return;
    HKEY sub = OpenList(key, ListNames(name));
    if (!sub) return;
    // Values come in enumeration order, whatever their names and types; the
    // first call that fails (no more values, a name of 6 or more characters,
    // data over 260 bytes) ends the list.
    for (DWORD index = 0;; ++index) {
        char valueName[ListNameCapacity];
        DWORD nameSize = ListNameCapacity;
        char data[TextBufferSize];
        DWORD dataSize = TextBufferSize;
        if (RegistryEnumValue(sub, index, valueName, &nameSize, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        data[ListTextLength(data, dataSize, TextBufferSize, IsAnsiLeadByte)] = '\0';
        AddAnsiText(list, data, CP_ACP, 0, NoEntryState);
    }
    RegCloseKey(sub);
}

bool SaveStoredList(HKEY key, const char* name, const TextList& list)
{
    if (!key) return false;
    const ListNames n(name);
    // What a failed save left goes first; a new list that stays would mix
    // stale values into the new list, so then nothing is saved.
    RegistryDeleteTree(key, n.New);
    HKEY sub = nullptr;
    DWORD made = 0;
    if (RegistryCreateKey(key, n.New, &sub, &made) != ERROR_SUCCESS) return false;
    bool whole = made == REG_CREATED_NEW_KEY && WriteList(sub, list);
    RegCloseKey(sub);
    // The list goes as a whole tree, in case someone gave it sub-keys; its
    // values go at once with the key itself.
    if (whole) {
        const LONG deleted = RegistryDeleteTree(key, n.Name);
        whole = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    }
    if (!whole) {
        // The old list is still in place, whole: the new one goes.
        RegistryDeleteTree(key, n.New);
        return false;
    }
    // Should the rename fail, the next load finds the new list in NAME.new.
    return RenameNewList(key, n);
}

bool StoredListExists(HKEY key, const char* name)
{
    const ListNames n(name);
    HKEY sub = nullptr;
    if (RegistryOpenKey(key, n.Name, KEY_READ, &sub) != ERROR_SUCCESS) return false;
    RegCloseKey(sub);
    return true;
}
