#include "registry_shapes.h"

#include <cstdio>
#include <cstring>

const DWORD ShapeTypes[6] = {REG_DWORD, REG_SZ, REG_BINARY, REG_QWORD, REG_MULTI_SZ, REG_NONE};

const char* TypeName(DWORD type)
{
    switch (type) {
    case REG_DWORD: return "REG_DWORD";
    case REG_SZ: return "REG_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_QWORD: return "REG_QWORD";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_NONE: return "REG_NONE";
    default: return "REG_?";
    }
}

namespace {

std::string Letters(size_t size)
{
    std::string out(size, 'a');
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<char>('a' + i % 26);
    return out;
}

std::string LittleEndian(uint64_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Hex(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

uint32_t Pick(std::mt19937& random, uint32_t n) { return static_cast<uint32_t>(random() % n); }

// A value name of the kind the list loading meets: mostly the numbers a
// save writes, then five characters (still read), six and more (the
// loading ends there), the empty name, and three Japanese characters (six
// bytes in code page 932).
std::wstring ListName(std::mt19937& random, int index)
{
    const uint32_t roll = Pick(random, 100);
    if (roll < 70) return std::to_wstring(index);
    if (roll < 80) return L"abcd" + std::to_wstring(index % 10);
    if (roll < 86) return L"abcdef";
    if (roll < 90) return std::wstring(6 + Pick(random, 250), L'n');
    if (roll < 95) return L"";
    return L"\u540d\u524d\u540d";
}

std::vector<StoredValue> ShortTexts(std::mt19937& random, int count)
{
    std::vector<StoredValue> out;
    for (int i = 1; i <= count; ++i)
        out.push_back({std::to_wstring(i), ShapeTypes[Pick(random, 6)], Letters(1 + Pick(random, 8))});
    return out;
}

std::vector<StoredValue> EveryShape(std::mt19937& random, int count, const std::vector<DataKind>& kinds)
{
    std::vector<StoredValue> out;
    for (int i = 1; i <= count; ++i) {
        // Kind 0 is the missing value; every other kind is some bytes.
        const DataKind& kind = kinds[1 + Pick(random, static_cast<uint32_t>(kinds.size() - 1))];
        out.push_back({ListName(random, i), ShapeTypes[Pick(random, 6)], kind.Data});
    }
    return out;
}

std::wstring Printable(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += c;
        } else {
            wchar_t code[8];
            std::swprintf(code, 8, L"\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : Printable(text)) out += static_cast<char>(c);
    return out;
}

void ExportInto(HKEY key, const std::wstring& below, RegistryExport& out)
{
    DWORD subKeys = 0, longestKey = 0, values = 0, longestName = 0, largestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestKey, nullptr, &values, &longestName,
                         &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::string& text = out[below];
    std::vector<wchar_t> name(longestName + 2);
    std::vector<BYTE> data(largestData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        text += "\"" + Narrow(std::wstring(name.data(), nameSize)) + "\" " + TypeName(type) + " " +
                std::to_string(dataSize) + ":";
        for (DWORD b = 0; b < dataSize; ++b) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x", data[b]);
            text += hex;
        }
        text += "\n";
    }
    std::vector<wchar_t> sub(longestKey + 2);
    for (DWORD i = 0;; ++i) {
        DWORD size = static_cast<DWORD>(sub.size());
        if (RegEnumKeyExW(key, i, sub.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::wstring name(sub.data(), size);
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        ExportInto(child, below.empty() ? name : below + L"\\" + name, out);
        RegCloseKey(child);
    }
}

std::string Cut(const std::string& text)
{
    return text.size() <= 400 ? text : text.substr(0, 400) + "... (" + std::to_string(text.size()) + " bytes)";
}

} // namespace

std::vector<DataKind> DataKinds()
{
    std::vector<DataKind> kinds;
    kinds.push_back({"missing", true, ""});
    for (size_t size : {0, 1, 2, 3, 4, 5, 31, 32, 33, 259, 260, 261, 65536})
        kinds.push_back({"text of " + std::to_string(size) + " bytes", false, Letters(size)});
    for (uint64_t n : {0ull, 1ull, 0x7FFFFFFFull, 0x80000000ull, 0xFFFFFFFFull})
        kinds.push_back({"number " + Hex(n) + " in 4 bytes", false, LittleEndian(n, 4)});
    for (uint64_t n : {0xFFFFFFFFull, 0x100000000ull, 0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull})
        kinds.push_back({"number " + Hex(n) + " in 8 bytes", false, LittleEndian(n, 8)});
    const struct {
        const char* Label;
        std::string Data;
    } noText[] = {
        {"a lone lead byte", "\x81"},
        {"a lead byte at the end", "ab\x81"},
        {"a lead byte before a zero", std::string("\x81\0z", 3)},
        {"bytes of no character", "\x80\xa0\xfd\xfe\xff"},
        {"31 bytes ending in a lead byte", std::string(30, 'x') + "\x82"},
        {"259 lead bytes", std::string(259, '\x82')},
        {"an unpaired surrogate", std::string("\x00\xd8" "A\x00", 4)},
        {"5 bytes of UTF-16", std::string("a\0b\0c", 5)},
    };
    for (const auto& t : noText) kinds.push_back({t.Label, false, t.Data});
    return kinds;
}

ListShape MakeListShape(int kind, const std::vector<DataKind>& kinds, std::mt19937& random)
{
    ListShape s;
    const int hundreds = 200 + static_cast<int>(Pick(random, 201));
    switch (kind) {
    case 0:
        s.Label = "no List";
        break;
    case 1:
        s.Label = "an empty List";
        s.HasList = true;
        break;
    case 2:
        s.Label = "List: " + std::to_string(hundreds) + " short texts of every type";
        s.HasList = true;
        s.List = ShortTexts(random, hundreds);
        break;
    case 3:
        s.Label = "List: " + std::to_string(hundreds) + " values of every shape";
        s.HasList = true;
        s.List = EveryShape(random, hundreds, kinds);
        break;
    case 4:
        s.Label = "List.new alone: " + std::to_string(hundreds) + " short texts";
        s.HasNewList = true;
        s.NewList = ShortTexts(random, hundreds);
        break;
    default:
        s.Label = "List with a sub-key, and a stale List.new of " + std::to_string(hundreds) + " values";
        s.HasList = true;
        s.List = ShortTexts(random, 20);
        s.Inner = ShortTexts(random, 5);
        s.HasNewList = true;
        s.NewList = EveryShape(random, hundreds, kinds);
        break;
    }
    return s;
}

void DeleteKeyTree(const std::wstring& path)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

bool StoreValues(const std::wstring& path, const std::vector<StoredValue>& values)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const StoredValue& v : values) {
        // Followed by bytes that are not zero: the registry adds a
        // terminator to a text value whose next character is one.
        std::vector<BYTE> data(v.Data.begin(), v.Data.end());
        data.insert(data.end(), 4, 0xEE);
        ok = RegSetValueExW(key, v.Name.c_str(), 0, v.Type, data.data(), static_cast<DWORD>(v.Data.size())) ==
                 ERROR_SUCCESS &&
             ok;
    }
    RegCloseKey(key);
    return ok;
}

RegistryExport ExportKey(const std::wstring& path)
{
    RegistryExport out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    ExportInto(key, L"", out);
    RegCloseKey(key);
    return out;
}

std::string FirstDifference(const RegistryExport& expected, const RegistryExport& actual)
{
    for (const auto& e : expected) {
        const auto a = actual.find(e.first);
        if (a == actual.end()) return "key [" + Narrow(e.first) + "] is gone";
        if (a->second != e.second)
            return "key [" + Narrow(e.first) + "] holds\n" + Cut(a->second) + "\ninstead of\n" + Cut(e.second);
    }
    for (const auto& a : actual)
        if (!expected.count(a.first)) return "key [" + Narrow(a.first) + "] is new";
    return "";
}
