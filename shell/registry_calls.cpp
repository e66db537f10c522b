#include "registry_calls.h"

#include "failure_points.h"

namespace {
bool Refused() { return InjectedFailure(FailurePoint::Registry); }
}

LONG RegistryOpenKey(HKEY parent, const char* name, REGSAM access, HKEY* key)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegOpenKeyExA(parent, name, 0, access, key);
}

LONG RegistryCreateKey(HKEY parent, const char* name, HKEY* key, DWORD* disposition)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                           disposition);
}

LONG RegistryQueryValue(HKEY key, const char* name, BYTE* data, DWORD* size)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegQueryValueExA(key, name, nullptr, nullptr, data, size);
}

LONG RegistrySetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, 0, type, data, size);
}

LONG RegistryDeleteValue(HKEY key, const char* name)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegDeleteValueA(key, name);
}

LONG RegistryQueryRaw(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegQueryValueExW(key, name, nullptr, type, data, size);
}

LONG RegistrySetRaw(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegSetValueExW(key, name, 0, type, data, size);
}

LONG RegistryEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, BYTE* data, DWORD* dataSize)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegEnumValueA(key, index, name, nameSize, nullptr, nullptr, data, dataSize);
}

LONG RegistryDeleteTree(HKEY parent, const char* name)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegDeleteTreeA(parent, name);
}

LONG RegistryRenameKey(HKEY parent, const wchar_t* name, const wchar_t* newName)
{
    if (Refused()) return ERROR_ACCESS_DENIED;
    return RegRenameKey(parent, name, newName);
}
