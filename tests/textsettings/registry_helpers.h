// Registry helpers of the text settings' wine tests: raw values in and out
// of a key, in the order the registry enumerates them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RawValue {
    std::string Name;
    DWORD Type = 0;
    std::string Data;  // the bytes as stored
};

bool KeyExists(const std::string& path);
// Creates the key (and those above it) and writes one value.
bool PutValue(const std::string& path, const std::string& name, DWORD type, const std::string& data);
// Every value of a key, in enumeration order, read with ample buffers.
std::vector<RawValue> Values(const std::string& path);
std::vector<std::string> SubKeys(const std::string& path);
// A value's data as text: up to its first zero byte. The ANSI functions may
// report a string value with a terminator the registry does not hold.
std::string TextOf(const RawValue& value);
