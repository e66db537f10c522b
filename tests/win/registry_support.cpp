#include "registry_support.h"

#include <cstring>

void DeleteRegistryTree(const char* path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool PutValue(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG r = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

bool PutValue(const std::string& path, const std::string& name, DWORD type, const std::string& data)
{
    return PutValue(path, name, type, data.data(), static_cast<DWORD>(data.size()));
}

bool PutDword(const std::string& path, const std::string& name, DWORD value)
{
    return PutValue(path, name, REG_DWORD, &value, sizeof value);
}

bool GetValue(const std::string& path, const std::string& name, RawValue& out)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    std::string data(4096, '\0');
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    const LONG r = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return false;
    data.resize(size);
    out = {name, type, data};
    return true;
}

bool GetDword(const std::string& path, const std::string& name, DWORD& value)
{
    RawValue raw;
    if (!GetValue(path, name, raw) || raw.Type != REG_DWORD || raw.Data.size() != sizeof value) return false;
    memcpy(&value, raw.Data.data(), sizeof value);
    return true;
}

std::vector<RawValue> Values(const std::string& path)
{
    std::vector<RawValue> out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        std::string data(4096, '\0');
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataSize) != ERROR_SUCCESS)
            break;
        data.resize(dataSize);
        out.push_back({std::string(name, nameSize), type, data});
    }
    RegCloseKey(key);
    return out;
}

std::vector<std::string> SubKeys(const std::string& path)
{
    std::vector<std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        out.emplace_back(name, nameSize);
    }
    RegCloseKey(key);
    return out;
}

std::string TextOf(const RawValue& value)
{
    const size_t zero = value.Data.find('\0');
    return zero == std::string::npos ? value.Data : value.Data.substr(0, zero);
}

std::string ExportKey(const std::string& path)
{
    std::string out = "[" + path + "]\n";
    for (const RawValue& v : Values(path)) {
        out += v.Name + "=" + std::to_string(v.Type) + ":";
        for (unsigned char c : v.Data) out += std::to_string(c) + ",";
        out += "\n";
    }
    for (const std::string& sub : SubKeys(path)) out += ExportKey(path + "\\" + sub);
    return out;
}
