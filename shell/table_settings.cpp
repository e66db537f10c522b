#include "table_settings.h"

#include <cstring>
#include <memory>
#include <utility>

#include "ansi_text.h"
#include "failure_points.h"
#include "list_store.h"
#include "registry_calls.h"

namespace {

// The stored default face: the schema's name in code page 932 bytes.
void StoredDefaultFace(const SettingSpec& s, char (&out)[32])
{
    out[0] = '\0';
    if (!WideCharToMultiByte(StoredDefaultCodePage, 0, Wide(s.FaceDefault), -1, out, sizeof out, nullptr, nullptr))
        out[0] = '\0';
}

// One value as the key held it before a save: its type and bytes, or none.
struct HeldValue {
    wchar_t Name[64] = L"";
    bool Held = false;
    DWORD Type = 0;
    std::unique_ptr<BYTE[]> Data;
    DWORD Size = 0;
};

// The value called name as it is held; false when it cannot be read (it
// may be there).
bool ReadHeld(HKEY key, const char* name, HeldValue& v)
{
    if (!MultiByteToWideChar(CP_ACP, 0, name, -1, v.Name, 64)) return false;
    BYTE small[64];
    DWORD size = sizeof small;
    LONG r = RegistryQueryRaw(key, v.Name, &v.Type, small, &size);
    if (r == ERROR_FILE_NOT_FOUND) return true;
    if (r == ERROR_MORE_DATA) {
        v.Data.reset(NewArrayOrNull<BYTE>(size));
        if (!v.Data) return false;
        r = RegistryQueryRaw(key, v.Name, &v.Type, v.Data.get(), &size);
    } else if (r == ERROR_SUCCESS) {
        v.Data.reset(NewArrayOrNull<BYTE>(size ? size : 1));
        if (!v.Data) return false;
        std::memcpy(v.Data.get(), small, size);
    }
    if (r != ERROR_SUCCESS) return false;
    v.Held = true;
    v.Size = size;
    return true;
}

void WriteBack(HKEY key, const char* name, const HeldValue& v)
{
    if (v.Held)
        RegistrySetRaw(key, v.Name, v.Type, v.Data.get(), v.Size);
    else
        RegistryDeleteValue(key, name);
}

} // namespace

TableSettings::TableSettings(const SaverTable& table) : SettingsKey(table.Name), Table(table) {}

void TableSettings::SetFace(const char* face)
{
    if (face != FaceName) lstrcpynA(FaceName, face ? face : "", sizeof FaceName);
    // The stored default is code page 932 bytes, and so names the same face
    // whatever the system's code page; any other name is the system's.
    UINT codePage = CP_ACP;
    for (int32_t i = 0; i < Table.SettingCount; ++i) {
        char stored[32];
        if (Table.Settings[i].Kind != SettingKind::Face) continue;
        StoredDefaultFace(Table.Settings[i], stored);
        if (std::strcmp(stored, FaceName) == 0) codePage = StoredDefaultCodePage;
    }
    wchar_t* out = reinterpret_cast<wchar_t*>(Values.Face);
    if (!MultiByteToWideChar(codePage, 0, FaceName, -1, out, LF_FACESIZE)) out[LF_FACESIZE - 1] = L'\0';
}

void TableSettings::LoadSettings()
{
    EraseBackground = Table.OverDesktop ? 0 : 1;
    TimerInterval = Table.TickMs;
    // Loading runs once per process; strings left from an earlier load
    // (only tests load twice) go first.
    Values.Strings.Reset();
    for (int32_t i = 0; i < Table.SettingCount && i < MaxSettings; ++i) {
        const SettingSpec& s = Table.Settings[i];
        switch (s.Kind) {
        case SettingKind::Number:
        case SettingKind::Choice:
        case SettingKind::Flag: {
            const int32_t stored = ReadDword(s.Name, s.Default);
            Values.Numbers[i] = s.KeptAsStored ? stored : BoundedValue(s, stored);
            break;
        }
        case SettingKind::Face: {
            char fallback[32];
            StoredDefaultFace(s, fallback);
            ReadString(s.Name, FaceName, sizeof FaceName, fallback);
            SetFace(FaceName);
            break;
        }
        case SettingKind::Strings:
            LoadStoredList(KeyHandle, s.Name, Values.Strings);
            break;
        }
    }
}

bool TableSettings::SaveSettings()
{
    if (!KeyHandle) return false;
    // What the key holds now, to be written back should any write fail;
    // when it cannot be read, nothing is written.
    HeldValue held[MaxSettings];
    for (int32_t i = 0; i < Table.SettingCount && i < MaxSettings; ++i)
        if (Table.Settings[i].Kind != SettingKind::Strings && !ReadHeld(KeyHandle, Table.Settings[i].Name, held[i]))
            return false;
    // Each value is written whatever became of the others.
    bool saved = true;
    const char* list = nullptr;
    bool listReplaced = false;
    for (int32_t i = 0; i < Table.SettingCount && i < MaxSettings; ++i) {
        const SettingSpec& s = Table.Settings[i];
        switch (s.Kind) {
        case SettingKind::Number:
        case SettingKind::Choice:
        case SettingKind::Flag:
            saved = WriteDword(s.Name, static_cast<uint32_t>(Values.Numbers[i])) && saved;
            break;
        case SettingKind::Face:
            saved = WriteString(s.Name, FaceName) && saved;
            break;
        case SettingKind::Strings:
            list = s.Name;
            listReplaced = SaveStoredList(KeyHandle, s.Name, Values.Strings);
            saved = listReplaced && saved;
            break;
        }
    }
    if (saved) return true;
    for (int32_t i = 0; i < Table.SettingCount && i < MaxSettings; ++i)
        if (Table.Settings[i].Kind != SettingKind::Strings) WriteBack(KeyHandle, Table.Settings[i].Name, held[i]);
    // The old strings back in place where the new ones took it, or where a
    // stopped save left them waiting beside it.
    if (list && OldStrings && (listReplaced || !StoredListExists(KeyHandle, list)))
        SaveStoredList(KeyHandle, list, *OldStrings);
    return false;
}

bool TableSettings::SaveEdits(SettingValues& edits, const char* face, bool withStrings)
{
    char oldFace[sizeof FaceName];
    std::memcpy(oldFace, FaceName, sizeof FaceName);
    std::swap(Values.Numbers, edits.Numbers);
    if (withStrings) std::swap(Values.Strings, edits.Strings);
    if (face) SetFace(face);
    OldStrings = withStrings ? &edits.Strings : &Values.Strings;
    const bool saved = SaveToRegistry();
    OldStrings = nullptr;
    if (saved) return true;
    std::swap(Values.Numbers, edits.Numbers);
    if (withStrings) std::swap(Values.Strings, edits.Strings);
    SetFace(oldFace);
    return false;
}
