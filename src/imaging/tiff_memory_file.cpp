#include "imaging/tiff_memory_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace zephyrin {
namespace {

int CloseHandle(thandle_t) {
    return 0;
}

int Map(thandle_t, void**, toff_t*) {
    return 0;
}

void Unmap(thandle_t, void*, toff_t) {}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

}  // namespace

tmsize_t TiffMemoryFile::Read(thandle_t handle, void* data, tmsize_t size) {
    TiffMemoryFile& file = *static_cast<TiffMemoryFile*>(handle);
    if (size < 0 || file.position_ >= file.bytes_.size()) return 0;
    const std::uint64_t count =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size), file.bytes_.size() - file.position_);
    std::memcpy(data, file.bytes_.data() + file.position_, count);
    file.position_ += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t TiffMemoryFile::Write(thandle_t handle, void* data, tmsize_t size) {
    TiffMemoryFile& file = *static_cast<TiffMemoryFile*>(handle);
    if (size < 0) return -1;
    const std::uint64_t end = file.position_ + static_cast<std::uint64_t>(size);
    try {
        if (end > file.bytes_.size()) file.bytes_.resize(end);
    } catch (const std::bad_alloc&) {
        file.outOfMemory_ = true;
        return -1;
    }
    std::memcpy(file.bytes_.data() + file.position_, data, static_cast<std::size_t>(size));
    file.position_ = end;
    return size;
}

toff_t TiffMemoryFile::Seek(thandle_t handle, toff_t offset, int whence) {
    TiffMemoryFile& file = *static_cast<TiffMemoryFile*>(handle);
    // libtiff passes negative relative offsets as wrapped unsigned values.
    switch (whence) {
        case SEEK_SET:
            file.position_ = offset;
            break;
        case SEEK_CUR:
            file.position_ += offset;
            break;
        case SEEK_END:
            file.position_ = file.bytes_.size() + offset;
            break;
        default:
            return static_cast<toff_t>(-1);
    }
    return file.position_;
}

toff_t TiffMemoryFile::Size(thandle_t handle) {
    return static_cast<TiffMemoryFile*>(handle)->bytes_.size();
}

int TiffMemoryFile::OnError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto& file = *static_cast<TiffMemoryFile*>(userData);
    if (file.message_[0] == '\0') std::vsnprintf(file.message_, sizeof file.message_, format, arguments);
    return 1;  // handled: nothing goes to stderr
}

TiffMemoryFile::TiffMemoryFile() : options_(TIFFOpenOptionsAlloc()) {
    if (options_ == nullptr) throw std::bad_alloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options_, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options_, OnWarning, nullptr);
}

TiffMemoryFile::~TiffMemoryFile() {
    Close();
    TIFFOpenOptionsFree(options_);
}

TIFF* TiffMemoryFile::Open(const char* mode) {
    tiff_ = TIFFClientOpenExt("memory.tif", mode, this, Read, Write, Seek, CloseHandle, Size, Map, Unmap,
                              options_);
    return tiff_;
}

void TiffMemoryFile::Close() {
    if (tiff_ != nullptr) TIFFClose(tiff_);
    tiff_ = nullptr;
}

}  // namespace zephyrin
