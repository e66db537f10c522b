// Registry helpers of the wine tests: keys under HKEY_CURRENT_USER set up,
// cleared and read back raw, in the order the registry enumerates them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RawValue {
    std::string Name;
    DWORD Type = 0;
    std::string Data;  // the bytes as stored
};

// Deletes HKEY_CURRENT_USER\<path> with everything below it.
void DeleteRegistryTree(const char* path);
bool KeyExists(const std::string& path);
// Creates the key and those above it.
bool CreateKey(const std::string& path);
// Creates the key (and those above it) and writes one value.
bool PutValue(const std::string& path, const std::string& name, DWORD type, const std::string& data);
bool PutValue(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size);
bool PutDword(const std::string& path, const std::string& name, DWORD value);
// One value as stored; false when it is not there.
bool GetValue(const std::string& path, const std::string& name, RawValue& out);
// A value that is a four-byte REG_DWORD.
bool GetDword(const std::string& path, const std::string& name, DWORD& value);
// Every value of a key, in enumeration order, read with ample buffers.
std::vector<RawValue> Values(const std::string& path);
std::vector<std::string> SubKeys(const std::string& path);
// Everything below a key, values and sub-keys, as one text: two exports are
// equal when nothing was written.
std::string ExportKey(const std::string& path);
// A value's data as text: up to its first zero byte. The ANSI functions may
// report a string value with a terminator the registry does not hold.
std::string TextOf(const RawValue& value);
