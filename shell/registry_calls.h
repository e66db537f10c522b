// The programs' registry calls, each asked of the failure plan first: a
// call the plan refuses changes nothing and answers ERROR_ACCESS_DENIED, as
// a key that policy has locked would. Outside the tests every call goes
// through to the registry unchanged.
#pragma once

#include <windows.h>

LONG RegistryOpenKey(HKEY parent, const char* name, REGSAM access, HKEY* key);
// disposition may be null.
LONG RegistryCreateKey(HKEY parent, const char* name, HKEY* key, DWORD* disposition);
LONG RegistryQueryValue(HKEY key, const char* name, BYTE* data, DWORD* size);
LONG RegistrySetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
LONG RegistryDeleteValue(HKEY key, const char* name);
// A value's bytes as the registry holds them, texts as UTF-16 (the ANSI
// forms convert them): to read a value and write it back unchanged.
LONG RegistryQueryRaw(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size);
LONG RegistrySetRaw(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
LONG RegistryEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, BYTE* data, DWORD* dataSize);
// The sub-key name of parent with all it holds.
LONG RegistryDeleteTree(HKEY parent, const char* name);
LONG RegistryRenameKey(HKEY parent, const wchar_t* name, const wchar_t* newName);
