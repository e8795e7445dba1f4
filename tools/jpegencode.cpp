#include "tools/jpegencode.h"

#include <cstdlib>

namespace tools {

std::string encodeJpeg(int width, int height, int components, J_COLOR_SPACE input,
                       const std::vector<unsigned char>& samples, const JpegOptions& options)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = input;
    jpeg_set_defaults(&c);
    if (options.stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&c, options.stored);
    jpeg_set_quality(&c, options.quality, TRUE);
    if (options.optimize)
        c.optimize_coding = TRUE;
    if (options.fullChroma)
        for (int i = 0; i < c.num_components; ++i)
            c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    if (!options.adobeMarker)
        c.write_Adobe_marker = FALSE;
    if (options.progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data()) +
                       std::size_t(c.next_scanline) * width * components;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

} // namespace tools
