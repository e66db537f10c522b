// The registry key of a program and the base of its one settings object.
// It also carries the shell's program-wide values that the settings decide
// (erasing, the timer interval) and the parent window from the command line;
// what belongs to one window lives in its saver instance (saver_hooks.h).
#pragma once

#include <windows.h>

#include <cstdint>

class SettingsKey {
public:
    // The key of the program named program under HKEY_CURRENT_USER:
    // "Software\\Zamvel\\<program>".
    explicit SettingsKey(const char* program);
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // The saver's own values. LoadSettings runs once per process with the key
    // open (or with KeyHandle null); SaveSettings with the key created.
    virtual void LoadSettings() = 0;
    virtual bool SaveSettings() = 0;

    // Opens the key (never creates it), runs LoadSettings, closes the key.
    void LoadFromRegistry();
    // Creates or opens the key and runs SaveSettings; false when the key
    // cannot be created (SaveSettings then does not run) or SaveSettings
    // fails; a key this call created then goes again.
    bool SaveToRegistry();

    // The buffer (zero-terminated) when the value was read; otherwise the
    // default, copied cut to the buffer, and the default pointer itself.
    const char* ReadString(const char* name, char* buffer, DWORD size, const char* fallback);
    bool WriteString(const char* name, const char* text);
    int32_t ReadDword(const char* name, int32_t fallback);
    bool WriteDword(const char* name, uint32_t value);
    HKEY CreateSubKey(const char* name);
    void CloseKey(HKEY key);

    HKEY KeyHandle = nullptr;
    int32_t EraseBackground = 0;
    // The preview window, or the settings dialog's owner; null in Run.
    HWND ParentWindow = nullptr;
    uint32_t TimerInterval = 10;

protected:
    ~SettingsKey() = default;

    // "Software\\Zamvel\\<program>".
    const char* KeyPath() const { return keyPath_; }

private:
    char keyPath_[512];
};
