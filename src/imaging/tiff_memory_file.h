#pragma once

#include <tiffio.h>

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

namespace zephyrin {

// A TIFF written into memory rather than a file, so that it can be saved all
// at once (util/atomic_file.h).
class TiffMemoryFile {
public:
    TiffMemoryFile();
    ~TiffMemoryFile();
    TiffMemoryFile(const TiffMemoryFile&) = delete;
    TiffMemoryFile& operator=(const TiffMemoryFile&) = delete;

    // Opens the TIFF for writing; "w", or "w8" for a BigTIFF. Null when
    // libtiff cannot (see Message).
    TIFF* Open(const char* mode);
    // Closes the TIFF, which writes what it still holds.
    void Close();

    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    // The first error libtiff reported ("not enough memory" when the bytes
    // could not grow), or empty; warnings are dropped.
    std::string Message() const { return outOfMemory_ ? "not enough memory" : message_; }

private:
    // What libtiff calls to read, write and seek.
    static tmsize_t Read(thandle_t handle, void* data, tmsize_t size);
    static tmsize_t Write(thandle_t handle, void* data, tmsize_t size);
    static toff_t Seek(thandle_t handle, toff_t offset, int whence);
    static toff_t Size(thandle_t handle);
    static int OnError(TIFF*, void* userData, const char*, const char* format, va_list arguments);

    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
    char message_[256] = {};  // libtiff calls in, where nothing may throw
    bool outOfMemory_ = false;
    TIFFOpenOptions* options_ = nullptr;
    TIFF* tiff_ = nullptr;
};

}  // namespace zephyrin
