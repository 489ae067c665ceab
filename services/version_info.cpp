#include "services/version_info.h"

#include <cstdio>
#include <new>

#include "services/version_text.h"

namespace lexidrop {

VersionInfo::VersionInfo()
{
    char path[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(nullptr, path, sizeof path) == 0) return;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return;
    block_.reset(new (std::nothrow) BYTE[size]);
    if (!block_) return;
    if (!GetFileVersionInfoA(path, 0, size, block_.get())) return;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block_.get(), "\\VarFileInfo\\Translation", &value, &length) && value &&
        length >= sizeof(DWORD)) {
        translation_ = *static_cast<const DWORD*>(value);
        hasTranslation_ = 1;
    }
}

std::string VersionInfo::QueryString(const char* key) const
{
    if (!hasTranslation_) return {};
    char path[300];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s",
                  static_cast<unsigned>(LOWORD(translation_)), static_cast<unsigned>(HIWORD(translation_)),
                  key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block_.get(), path, &value, &length) || !value) return {};
    return static_cast<const char*>(value);
}

std::string VersionInfo::VersionText(const char* key) const
{
    if (!hasTranslation_) return {};
    return ShortVersionText(QueryString(key));
}

std::string VersionInfo::TitleText() const
{
    return VersionCaption(QueryString("ProductName"), VersionText("ProductVersion"));
}

}  // namespace lexidrop
