#include "engine/file_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexidrop {
namespace {

class PosixFileMapping final : public FileMapping {
public:
    PosixFileMapping(void* data, std::size_t size) : data_(data), size_(size) {}
    ~PosixFileMapping() override { munmap(data_, size_); }
    PosixFileMapping(const PosixFileMapping&) = delete;
    PosixFileMapping& operator=(const PosixFileMapping&) = delete;

    const unsigned char* Data() const override { return static_cast<const unsigned char*>(data_); }
    std::size_t Size() const override { return size_; }

private:
    void* data_;
    std::size_t size_;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::unique_ptr<FileMapping> MapFile(const std::string& path)
{
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return nullptr;
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) return nullptr;
    auto size = static_cast<std::size_t>(st.st_size);
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
    if (data == MAP_FAILED) return nullptr;
    return std::make_unique<PosixFileMapping>(data, size);
}

}  // namespace lexidrop
