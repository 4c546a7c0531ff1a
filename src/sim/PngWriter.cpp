#include "sim/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace q {

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb, std::string& error) {
    if (width <= 0 || height <= 0 || argb.size() != size_t(width) * size_t(height)) {
        error = "no picture to write";
        return false;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        error = "cannot open the file";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    // Rows as RGBA bytes; built before the jump point so nothing leaks.
    std::vector<png_byte> bytes(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        const std::uint32_t p = argb[i];
        bytes[i * 4 + 0] = png_byte(p >> 16);
        bytes[i * 4 + 1] = png_byte(p >> 8);
        bytes[i * 4 + 2] = png_byte(p);
        bytes[i * 4 + 3] = png_byte(p >> 24);
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[size_t(y)] = bytes.data() + size_t(y) * size_t(width) * 4;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "libpng failed";
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        error = "cannot write the file";
        return false;
    }
    return true;
}

}  // namespace q
