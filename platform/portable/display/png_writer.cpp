// PNG snapshots through libpng; see png_writer.h. Pixels are 0x00RRGGBB words, written as
// R, G, B bytes exactly as they are in the surface.
#include "display/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace zg {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void fill_rgb_row(const Surface& surface, int y, png_byte* row) {
    const std::uint32_t* pixels = surface.row(y);
    for (int x = 0; x < surface.width(); ++x) {
        std::size_t at = static_cast<std::size_t>(x) * 3;
        row[at] = static_cast<png_byte>(pixels[x] >> 16);
        row[at + 1] = static_cast<png_byte>(pixels[x] >> 8);
        row[at + 2] = static_cast<png_byte>(pixels[x]);
    }
}

// libpng reports errors by longjmp, so this frame holds nothing that needs a destructor: the
// row buffer belongs to the caller.
bool write_rows(png_structp png, png_infop info, std::FILE* file, const Surface& surface, png_byte* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width()), static_cast<png_uint_32>(surface.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        fill_rgb_row(surface, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::string write_png(const Surface& surface, const std::string& path) {
    if (surface.width() <= 0 || surface.height() <= 0) return "the window has no pixels";
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return "is a directory";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return std::strerror(errno);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return "out of memory";
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(surface.width()) * 3);
    bool written = info != nullptr && write_rows(png, info, file.get(), surface, row.data());
    png_destroy_write_struct(&png, &info);
    errno = 0;
    bool flushed = std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
    int flush_error = errno;
    bool closed = std::fclose(file.release()) == 0;
    if (written && flushed && closed) return {};
    return flush_error != 0 ? std::strerror(flush_error) : "write error";
}

}  // namespace zg
