// Reads the running program's own version resource: the product name, the
// short version text and the version caption used as window and box titles.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace lexidrop {

class VersionInfo {
public:
    VersionInfo();
    virtual ~VersionInfo() = default;
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    // The value of `key` in the string table of the first translation, or "".
    std::string QueryString(const char* key) const;
    // The value of `key` as a short version text ("1, 8, 0, 0" -> "1.08"), or "".
    std::string VersionText(const char* key) const;
    // "ProductName" + " Version" + short "ProductVersion": "Lexidrop Version1.08".
    std::string TitleText() const;

private:
    DWORD hasTranslation_ = 0;
    std::unique_ptr<BYTE[]> block_;
    DWORD translation_ = 0;
};

}  // namespace lexidrop
