// The shapes a stored value can take, for the registry-shape sweep: every
// type, sizes at the edges of the buffers the programs read into, numbers
// at the 32-bit edges, bytes that are no text; the shapes of the text
// savers' "List" key; and a key's full export to compare.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

// One value as stored, written through the wide registry functions so that
// its bytes are exactly these, odd sizes included (wine's regedit cannot
// import text values of an odd size).
struct StoredValue {
    std::wstring Name;
    DWORD Type = REG_NONE;
    std::string Data;
};

// What a value holds, whatever its type: nothing at all (the value is
// missing), or bytes.
struct DataKind {
    std::string Label;
    bool Missing = false;
    std::string Data;
};

// The six types every value takes.
extern const DWORD ShapeTypes[6];
const char* TypeName(DWORD type);

// Every kind, in a fixed order: missing; text of 0-5, 31-33, 259-261 bytes
// and 64 KB (letters, no terminator); numbers at the 32-bit edges, in 4 and
// in 8 bytes; bytes that are no text in code page 932 or in UTF-16.
std::vector<DataKind> DataKinds();

// The "List" key and what may lie beside it, one of ListShapeCount kinds:
// none; empty; hundreds of short texts of every type that all load;
// hundreds of values of every shape, with names of six characters or more
// and empty names among them; a save stopped before its rename ("List.new"
// alone); "List" with a sub-key and a stale "List.new" beside it.
constexpr int ListShapeCount = 6;
struct ListShape {
    std::string Label;
    bool HasList = false;
    std::vector<StoredValue> List;
    std::vector<StoredValue> Inner;  // values of a sub-key "List\Inner"
    bool HasNewList = false;
    std::vector<StoredValue> NewList;
};
ListShape MakeListShape(int kind, const std::vector<DataKind>& kinds, std::mt19937& random);

// HKEY_CURRENT_USER\path deleted with everything below it.
void DeleteKeyTree(const std::wstring& path);
// Creates HKEY_CURRENT_USER\path and writes the values; false when any
// write fails.
bool StoreValues(const std::wstring& path, const std::vector<StoredValue>& values);

// A key's full export: for the key itself ("") and each key below it (its
// path below the key), its values in enumeration order with their names,
// types and data exactly as stored. Empty when the key does not exist.
using RegistryExport = std::map<std::wstring, std::string>;
RegistryExport ExportKey(const std::wstring& path);
// The first difference of two exports, for a failure's message.
std::string FirstDifference(const RegistryExport& expected, const RegistryExport& actual);
