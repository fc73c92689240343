#pragma once

#include <filesystem>
#include <string>

#include "imaging/image_encoders.h"
#include "imaging/picture.h"
#include "imaging/picture16.h"
#include "util/result.h"

namespace zephyrin {

// The user's answer to the question of ColourResolutionChangeFor (image_formats.h).
enum class ColourChange { kRefused, kAgreed };

// Writes the picture in the format named by the path's extension (compared
// without regard to case). The file appears complete or not at all: a failed
// write leaves an existing file as it was and no partial file behind.
//
// Fails, naming the file and the cause, for an unknown extension, an empty
// picture, or a disk or access error. A format that needs fewer colours
// (PBM, PGM) is written from a converted copy only with ColourChange::kAgreed;
// with kRefused nothing is written and the message is the change's refusal.
// PNG and TIFF files carry non-empty `parameters` inside (embedded_parameters.h);
// the other formats have no place for them.
[[nodiscard]] Result<> SaveImage(const Picture& picture, const std::filesystem::path& path,
                                 ColourChange colourChange, std::string_view parameters = {});

// The same with 16 bits per channel, for the formats whose SixteenBits() is
// set (PNG, TIFF, PPM and PGM); any other extension fails.
[[nodiscard]] Result<> SaveImage16(const Picture16& picture, const std::filesystem::path& path,
                                   ColourChange colourChange, std::string_view parameters = {});

// A PNG file of rows made as they are written (PngRows, image_encoders.h),
// at zlib level `level`; failures as SaveImage's.
[[nodiscard]] Result<> SavePngRows(const PngRows& rows, const std::filesystem::path& path, int level,
                                   std::string_view parameters = {});

}  // namespace zephyrin
