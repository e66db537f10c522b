#include "settings_key.h"

#include <cstdio>

#include "registry_calls.h"

SettingsKey::SettingsKey(const char* program)
{
    std::snprintf(keyPath_, sizeof keyPath_, "Software\\Zamvel\\%s", program ? program : "");
}

void SettingsKey::LoadFromRegistry()
{
    KeyHandle = nullptr;
    HKEY key = nullptr;
    // Opened, never created, when loading: a first start writes nothing.
    if (RegistryOpenKey(HKEY_CURRENT_USER, keyPath_, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
        KeyHandle = key;
    LoadSettings();
    if (KeyHandle) RegCloseKey(KeyHandle);
    KeyHandle = nullptr;
}

bool SettingsKey::SaveToRegistry()
{
    KeyHandle = nullptr;
    HKEY key = nullptr;
    DWORD made = 0;
    if (RegistryCreateKey(HKEY_CURRENT_USER, keyPath_, &key, &made) != ERROR_SUCCESS)
        return false;
    KeyHandle = key;
    const bool saved = SaveSettings();
    RegCloseKey(KeyHandle);
    KeyHandle = nullptr;
    // A failed first save leaves no key behind, as none was there before.
    if (!saved && made == REG_CREATED_NEW_KEY) RegistryDeleteTree(HKEY_CURRENT_USER, keyPath_);
    return saved;
}

const char* SettingsKey::ReadString(const char* name, char* buffer, DWORD size, const char* fallback)
{
    if (!buffer || size == 0) return fallback;
    DWORD got = size;
    if (KeyHandle &&
        RegistryQueryValue(KeyHandle, name, reinterpret_cast<BYTE*>(buffer), &got) == ERROR_SUCCESS &&
        got <= size) {
        // Stored texts carry no terminator, so one is added after the bytes.
        // Data that fills the buffer exactly fits only when its last byte is
        // already the terminator; otherwise it counts as too long.
        if (got < size) {
            buffer[got] = '\0';
            return buffer;
        }
        if (buffer[size - 1] == '\0') return buffer;
    }
    lstrcpynA(buffer, fallback ? fallback : "", static_cast<int>(size));
    return fallback;
}

bool SettingsKey::WriteString(const char* name, const char* text)
{
    if (!KeyHandle || !text) return false;
    return RegistrySetValue(KeyHandle, name, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(lstrlenA(text))) == ERROR_SUCCESS;
}

int32_t SettingsKey::ReadDword(const char* name, int32_t fallback)
{
    if (!KeyHandle) return fallback;
    // Any data of at most 4 bytes is a number, whatever its type. Shorter
    // data is read as a little-endian number widened with zeros; no data at
    // all is no number and gives the default.
    uint32_t value = 0;
    DWORD got = sizeof value;
    if (RegistryQueryValue(KeyHandle, name, reinterpret_cast<BYTE*>(&value), &got) != ERROR_SUCCESS ||
        got == 0 || got > sizeof value)
        return fallback;
    return static_cast<int32_t>(value);
}

bool SettingsKey::WriteDword(const char* name, uint32_t value)
{
    if (!KeyHandle) return false;
    return RegistrySetValue(KeyHandle, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

HKEY SettingsKey::CreateSubKey(const char* name)
{
    if (!KeyHandle) return nullptr;
    HKEY key = nullptr;
    if (RegistryCreateKey(KeyHandle, name, &key, nullptr) != ERROR_SUCCESS) return nullptr;
    return key;
}

void SettingsKey::CloseKey(HKEY key)
{
    if (key) RegCloseKey(key);
}
