// One open per-user registry key HKCU\Software\Tessaloon\<name>, created when
// missing, with REG_DWORD reads that fall back to defaults; closed on destruction.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "win32/scoped_win.h"

namespace lexidrop {

class RegistryKey : public DwordStore {
public:
    // Opens or creates HKCU\Software\Tessaloon\<keyName>; on failure the key stays closed.
    explicit RegistryKey(const char* keyName);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // True when the key could be opened or created.
    bool IsOpen() const { return key_.IsValid(); }
    // The sub-key path below HKEY_CURRENT_USER.
    const std::string& Path() const { return path_; }

    // True only for an existing 4-byte REG_DWORD; otherwise `target` = `defaultValue`.
    bool ReadDword(const char* name, std::uint32_t& target, std::uint32_t defaultValue) override;
    // Stores `value` as REG_DWORD; false when the key is closed or the write fails.
    bool WriteDword(const char* name, std::uint32_t value) override;

private:
    ScopedKey key_;
    std::string path_;
};

// The program's settings key name below Software\Tessaloon.
inline constexpr const char* kSettingsKeyName = "Lexidrop";

// Loads the settings from the program's registry key (created when missing).
void LoadSettingsFromRegistry(Settings& settings);
// Saves all settings to the program's registry key (re-created when missing).
void SaveSettingsToRegistry(const Settings& settings);

}  // namespace lexidrop
