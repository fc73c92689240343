#include <cstddef>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <memory>
#include <new>
#include <string>

#include "imaging/image_encoders.h"
#include "imaging/rgb_row.h"

namespace zephyrin {
namespace {

// High enough that the fine structure of an attractor keeps its edges.
constexpr int kQuality = 90;

struct JpegError {
    jpeg_error_mgr manager;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnErrorExit(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

void OnOutputMessage(j_common_ptr) {}

// Collects the compressed data in a std::vector, one chunk at a time.
struct JpegSink {
    jpeg_destination_mgr manager;  // first member, as above
    std::vector<std::uint8_t>* bytes;
    JOCTET chunk[64 * 1024];
};

bool Append(JpegSink& sink, std::size_t count) {
    try {
        sink.bytes->insert(sink.bytes->end(), sink.chunk, sink.chunk + count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void InitDestination(j_compress_ptr cinfo) {
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    sink->manager.next_output_byte = sink->chunk;
    sink->manager.free_in_buffer = sizeof sink->chunk;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    // Called with the whole chunk full, whatever free_in_buffer says.
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    if (!Append(*sink, sizeof sink->chunk)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    if (!Append(*sink, sizeof sink->chunk - sink->manager.free_in_buffer))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

// Returns false after a libjpeg error. A longjmp back into this frame skips
// destructors, so it holds nothing that has one.
bool Compress(jpeg_compress_struct* cinfo, JpegError* error, JpegSink* sink, const Picture& picture,
              JSAMPLE* row) {
    if (setjmp(error->jump)) return false;
    jpeg_create_compress(cinfo);
    cinfo->dest = &sink->manager;
    cinfo->image_width = static_cast<JDIMENSION>(picture.Width());
    cinfo->image_height = static_cast<JDIMENSION>(picture.Height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);  // includes the JFIF marker
    jpeg_set_quality(cinfo, kQuality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    JSAMPROW rows[1] = {row};
    while (cinfo->next_scanline < cinfo->image_height) {
        CopyRgbRow(picture, static_cast<int>(cinfo->next_scanline), row);
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    std::vector<JSAMPLE> row(3 * static_cast<std::size_t>(picture.Width()));
    auto sink = std::make_unique<JpegSink>();
    sink->manager.init_destination = InitDestination;
    sink->manager.empty_output_buffer = EmptyOutputBuffer;
    sink->manager.term_destination = TermDestination;
    sink->bytes = &bytes;

    JpegError error{};
    // Zeroed so that destroying it is safe even when creation failed.
    jpeg_compress_struct cinfo{};
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnErrorExit;
    error.manager.output_message = OnOutputMessage;

    const bool compressed = Compress(&cinfo, &error, sink.get(), picture, row.data());
    jpeg_destroy_compress(&cinfo);
    if (!compressed) throw EncodeError(std::string("JPEG encoder: ") + error.message);
    return bytes;
}

}  // namespace zephyrin
