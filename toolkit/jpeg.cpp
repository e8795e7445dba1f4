#include "toolkit/jpeg.h"

#include "toolkit/errors.h"
#include "toolkit/jpegrefusals.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports failures by calling error_exit, which must not return. Here
// it longjmps back to the function that started the libjpeg call. Those
// functions (readHeader, readPixels) hold only plain C data, so the jump skips
// no destructor; the toolkit::Error is thrown later by decodeJpeg, after
// jpeg_destroy_decompress, when no libjpeg frame is active any more.

namespace toolkit {
namespace {

// Pictures that would decode larger than this are refused before any pixel
// is decoded, as are those larger than kMaxSourcePixels.
constexpr std::uint64_t kMaxOutputPixels = 40'000'000;
// libjpeg's own working memory (mainly the coefficient buffer that
// progressive pictures need for the whole picture).
constexpr long kMaxLibjpegMemory = 256L * 1024 * 1024;

enum class Failure { None, Unreadable, TooLarge };

struct ErrorManager {
    jpeg_error_mgr pub; // must be first: libjpeg only knows this part
    std::jmp_buf jump;
    Failure failure;
    char reason[JMSG_LENGTH_MAX];
};

// All state of one decoding; plain data only.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    bool cmyk; // decoded as CMYK, converted to RGB here
};

ErrorManager& managerOf(j_common_ptr cinfo)
{
    return *reinterpret_cast<ErrorManager*>(cinfo->err);
}

[[noreturn]] void jumpOut(j_common_ptr cinfo, Failure failure)
{
    ErrorManager& err = managerOf(cinfo);
    err.failure = failure;
    (*cinfo->err->format_message)(cinfo, err.reason);
    std::longjmp(err.jump, 1);
}

void onError(j_common_ptr cinfo)
{
    const int code = cinfo->err->msg_code;
    jumpOut(cinfo, code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE
                       ? Failure::TooLarge
                       : Failure::Unreadable);
}

// Level -1 is a warning. libjpeg carries on after warnings about corrupt or
// missing data and fills the gap with grey; such a picture is refused. Only
// warnings about metadata that does not affect the pixels are let through.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace output
    switch (cinfo->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return;
    default:
        jumpOut(cinfo, Failure::Unreadable);
    }
}

void silent(j_common_ptr) {}

void refuseTooLarge(Decoder& d, std::uint64_t width, std::uint64_t height)
{
    d.err.failure = Failure::TooLarge;
    std::snprintf(d.err.reason, sizeof d.err.reason, "%llux%llu",
                  static_cast<unsigned long long>(width),
                  static_cast<unsigned long long>(height));
}

// Picks the DCT scale: the smallest n/8 whose output covers the box in both
// directions, or full size when even 8/8 does not.
void chooseScale(jpeg_decompress_struct& cinfo, unsigned boxWidth, unsigned boxHeight)
{
    for (unsigned num = 1; num <= 8; ++num) {
        cinfo.scale_num = num;
        cinfo.scale_denom = 8;
        jpeg_calc_output_dimensions(&cinfo);
        if (cinfo.output_width >= boxWidth && cinfo.output_height >= boxHeight)
            return;
    }
}

// Creates the decompressor, reads the header and settles the output size.
bool readHeader(Decoder& d, const unsigned char* data, std::size_t size, int boxWidth,
                int boxHeight)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.cinfo, TRUE);

    jpeg_decompress_struct& cinfo = d.cinfo;
    if (std::uint64_t(cinfo.image_width) * cinfo.image_height > kMaxSourcePixels) {
        refuseTooLarge(d, cinfo.image_width, cinfo.image_height);
        return false;
    }

    // libjpeg cannot turn CMYK into RGB; that conversion is done here.
    d.cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = d.cmyk ? JCS_CMYK : JCS_RGB;

    if (boxWidth > 0 && boxHeight > 0)
        chooseScale(cinfo, static_cast<unsigned>(boxWidth), static_cast<unsigned>(boxHeight));
    else
        jpeg_calc_output_dimensions(&cinfo);

    if (std::uint64_t(cinfo.output_width) * cinfo.output_height > kMaxOutputPixels) {
        refuseTooLarge(d, cinfo.output_width, cinfo.output_height);
        return false;
    }
    return true;
}

// Adobe writes CMYK inverted (255 = no ink) and marks the file; other writers
// store the ink amount.
void cmykRowToRgb(const JSAMPLE* in, unsigned char* out, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, in += 4, out += 3) {
        const unsigned k = inverted ? in[3] : 255u - in[3];
        for (int i = 0; i < 3; ++i) {
            const unsigned c = inverted ? in[i] : 255u - in[i];
            out[i] = static_cast<unsigned char>((c * k + 127) / 255);
        }
    }
}

// Decodes into out, which holds width * height * 3 bytes.
bool readPixels(Decoder& d, unsigned char* out, unsigned width, unsigned height)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_decompress_struct& cinfo = d.cinfo;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != width || cinfo.output_height != height) {
        d.err.failure = Failure::Unreadable;
        std::snprintf(d.err.reason, sizeof d.err.reason, "unexpected output size");
        return false;
    }
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;

    if (d.cmyk) {
        JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(
            reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1);
        while (cinfo.output_scanline < cinfo.output_height) {
            unsigned char* target = out + cinfo.output_scanline * stride;
            if (jpeg_read_scanlines(&cinfo, row, 1) == 1)
                cmykRowToRgb(row[0], target, cinfo.output_width, cinfo.saw_Adobe_marker);
        }
    } else {
        constexpr unsigned kRows = 16;
        JSAMPROW rows[kRows];
        while (cinfo.output_scanline < cinfo.output_height) {
            const unsigned first = cinfo.output_scanline;
            unsigned count = cinfo.output_height - first;
            if (count > kRows)
                count = kRows;
            for (unsigned i = 0; i < count; ++i)
                rows[i] = out + (first + i) * stride;
            jpeg_read_scanlines(&cinfo, rows, count);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

Error decodeError(const Decoder& d)
{
    if (d.err.failure == Failure::TooLarge)
        return tooLargeJpeg(d.err.reason);
    return unreadableJpeg(d.err.reason);
}

} // namespace

RgbImage decodeJpeg(std::string_view bytes, int boxWidth, int boxHeight)
{
    if (bytes.empty())
        throw unreadableJpeg("データが空です");

    Decoder d{};
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = onError;
    d.err.pub.emit_message = onMessage;
    d.err.pub.output_message = silent;

    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (!readHeader(d, data, bytes.size(), boxWidth, boxHeight)) {
        jpeg_destroy_decompress(&d.cinfo);
        throw decodeError(d);
    }

    RgbImage image;
    image.width = static_cast<int>(d.cinfo.output_width);
    image.height = static_cast<int>(d.cinfo.output_height);
    try {
        image.pixels.resize(std::size_t(image.width) * image.height * 3);
    } catch (const std::bad_alloc&) {
        refuseTooLarge(d, d.cinfo.output_width, d.cinfo.output_height);
        jpeg_destroy_decompress(&d.cinfo);
        throw decodeError(d);
    }

    const bool ok = readPixels(d, image.pixels.data(), d.cinfo.output_width,
                               d.cinfo.output_height);
    jpeg_destroy_decompress(&d.cinfo);
    if (!ok)
        throw decodeError(d);
    return image;
}

} // namespace toolkit
