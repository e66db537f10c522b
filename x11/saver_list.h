// The programs list of a user's ~/.xscreensaver: the savers xscreensaver's
// daemon runs and its settings window shows (it looks nowhere else). The
// four savers go into it and out of it again; only the list's own lines
// change, every other byte of the file stays as it was.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t ZamvelSaverCount = 4;

struct ZamvelSaver {
    const char* Program;  // "zamvel-glyra2"
    const char* Title;    // "Glyra2": the name the settings window shows
};
extern const ZamvelSaver ZamvelSavers[ZamvelSaverCount];
constexpr uint32_t AllZamvelSavers = (1u << ZamvelSaverCount) - 1;

// What an edit did; bit i stands for ZamvelSavers[i].
struct ListEdit {
    std::string Text;      // the file after the edit
    uint32_t Listed = 0;   // in the list before the edit
    uint32_t Changed = 0;  // added or taken out
};

// Adds the savers the list lacks after its last entry, so that every other
// entry keeps its place (the file's "selected:" counts places). A file
// without a list gets xscreensaver's default one (the programs resource of
// its app-defaults file, given as appDefaults) with the savers after it;
// false when appDefaults holds no list.
bool AddZamvelSavers(const std::string& file, const std::string& appDefaults, ListEdit& edit);

// Takes every entry that runs one of the savers out of the file's lists.
void RemoveZamvelSavers(const std::string& file, ListEdit& edit);
