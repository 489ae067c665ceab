#include "services/registry_key.h"

namespace lexidrop {

RegistryKey::RegistryKey(const char* keyName) : path_(std::string("Software\\Tessaloon\\") + keyName)
{
    HKEY key = nullptr;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        key_.Reset(key);
    }
}

bool RegistryKey::ReadDword(const char* name, std::uint32_t& target, std::uint32_t defaultValue)
{
    if (!key_.IsValid()) {
        target = defaultValue;
        return false;
    }
    // Read into a local so that a value of another type never leaves bytes in the target.
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status =
        RegQueryValueExA(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) {
        target = defaultValue;
        return false;
    }
    target = value;
    return true;
}

bool RegistryKey::WriteDword(const char* name, std::uint32_t value)
{
    if (!key_.IsValid()) return false;
    const DWORD data = value;
    return RegSetValueExA(key_.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

void LoadSettingsFromRegistry(Settings& settings)
{
    RegistryKey key(kSettingsKeyName);
    LoadSettings(settings, key);
}

void SaveSettingsToRegistry(const Settings& settings)
{
    RegistryKey key(kSettingsKeyName);
    SaveSettings(settings, key);
}

}  // namespace lexidrop
