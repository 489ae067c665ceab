// Read-only view of a whole file in memory. The platform side lives in
// engine/posix_file_mapping.cpp and win32/file_mapping.cpp.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace lexidrop {

class FileMapping {
public:
    virtual ~FileMapping() = default;
    virtual const unsigned char* Data() const = 0;
    virtual std::size_t Size() const = 0;
};

// Maps the file at path (UTF-8 natively, the ANSI code page on Windows);
// null when it cannot be opened or mapped, or is empty.
std::unique_ptr<FileMapping> MapFile(const std::string& path);

}  // namespace lexidrop
