#include "assets/assets.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

size_t BackgroundImageSize() {
    return reinterpret_cast<uintptr_t>(CopyTool) - reinterpret_cast<uintptr_t>(BackgroundImage);
}

size_t CopyToolSize() {
    return reinterpret_cast<uintptr_t>(CompletionSound) - reinterpret_cast<uintptr_t>(CopyTool);
}

size_t CompletionSoundSize() {
    const unsigned char* p = CompletionSound;
    size_t riff = size_t(p[4]) | size_t(p[5]) << 8 | size_t(p[6]) << 16 | size_t(p[7]) << 24;
    return 8 + riff;
}

namespace {

// Larger pictures than this are refused rather than allocated: nothing we carry comes near it.
const long kMaxPixels = 16L * 1024 * 1024;

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf escape;
};

// libjpeg's default error_exit ends the process; we return to DecodeJpeg instead.
void OnJpegError(j_common_ptr cinfo) {
    longjmp(reinterpret_cast<JpegError*>(cinfo->err)->escape, 1);
}

// Warnings (level -1) mean damaged data that libjpeg would paper over with grey; treat them as
// errors. Trace messages (level >= 0) are ignored, and nothing is ever printed.
void OnJpegMessage(j_common_ptr cinfo, int level) {
    if (level < 0) longjmp(reinterpret_cast<JpegError*>(cinfo->err)->escape, 1);
}

// Only plain C data lives in this frame, so jumping back into it skips no destructors.
bool DecodeInto(jpeg_decompress_struct* cinfo, JpegError* err, const unsigned char* data,
                size_t size, int* width, int* height, std::vector<unsigned char>* bgr) {
    if (setjmp(err->escape)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    cinfo->out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 3 ||
        long(cinfo->output_width) * long(cinfo->output_height) > kMaxPixels)
        return false;
    size_t stride = size_t(cinfo->output_width) * 3;
    bgr->resize(stride * cinfo->output_height);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = bgr->data() + stride * cinfo->output_scanline;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    *width = int(cinfo->output_width);
    *height = int(cinfo->output_height);
    return true;
}

} // namespace

bool DecodeJpeg(const unsigned char* data, size_t size, int* width, int* height,
                std::vector<unsigned char>* bgr) {
    if (!data || size == 0 || size > 0x7fffffffu) return false;
    jpeg_decompress_struct cinfo;
    JpegError err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = OnJpegError;
    err.mgr.emit_message = OnJpegMessage;
    bool ok = DecodeInto(&cinfo, &err, data, size, width, height, bgr);
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

HBITMAP JpegToBitmap(const unsigned char* data, size_t size) {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    if (!DecodeJpeg(data, size, &width, &height, &bgr)) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, like the decoder's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    // DIB rows are padded to four bytes; the decoder's are not.
    size_t src_stride = size_t(width) * 3;
    size_t dst_stride = (src_stride + 3) & ~size_t(3);
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<unsigned char*>(bits) + dst_stride * y, bgr.data() + src_stride * y,
                    src_stride);
    GdiFlush();
    return bitmap;
}

HBITMAP DecodeBackgroundImage() {
    return JpegToBitmap(BackgroundImage, BackgroundImageSize());
}
