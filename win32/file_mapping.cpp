#include "engine/file_mapping.h"

#include <windows.h>

namespace lexidrop {
namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

class Win32FileMapping final : public FileMapping {
public:
    Win32FileMapping(const void* view, std::size_t size) : view_(view), size_(size) {}
    ~Win32FileMapping() override { UnmapViewOfFile(view_); }
    Win32FileMapping(const Win32FileMapping&) = delete;
    Win32FileMapping& operator=(const Win32FileMapping&) = delete;

    const unsigned char* Data() const override { return static_cast<const unsigned char*>(view_); }
    std::size_t Size() const override { return size_; }

private:
    const void* view_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<FileMapping> MapFile(const std::string& path)
{
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) return nullptr;
    Handle mapping(CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.Valid()) return nullptr;
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
    if (!view) return nullptr;
    // The view stays valid after both handles are closed.
    return std::make_unique<Win32FileMapping>(view, static_cast<std::size_t>(size.QuadPart));
}

}  // namespace lexidrop
