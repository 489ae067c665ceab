#include "engine/file_mapping.h"

#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

class Win32FileMapping final : public FileMapping {
public:
    Win32FileMapping(const void* view, std::size_t size) : view_(view), size_(size) {}

    const unsigned char* Data() const override { return static_cast<const unsigned char*>(view_.Get()); }
    std::size_t Size() const override { return size_; }

private:
    ScopedMapView view_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<FileMapping> MapFile(const std::string& path)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return nullptr;
    ScopedHandle mapping(CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.IsValid()) return nullptr;
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
    if (!view) return nullptr;
    // The view stays valid after both handles are closed.
    return std::make_unique<Win32FileMapping>(view, static_cast<std::size_t>(size.QuadPart));
}

}  // namespace lexidrop
