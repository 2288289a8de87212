// Packs PNG images into one Windows .ico file (the program's icon in Explorer
// and on shortcuts). Icon files may hold PNG data as they are, so no image
// library is needed and the tool builds wherever the program builds.
//   zanto_make_ico OUT.ico IN.png...
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct PngImage
{
    std::vector<unsigned char> bytes;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

std::uint32_t bigEndian32(const std::vector<unsigned char> &b, std::size_t at)
{
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16
        | std::uint32_t(b[at + 2]) << 8 | std::uint32_t(b[at + 3]);
}

bool readPng(const std::string &path, PngImage &image, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    image.bytes.assign(std::istreambuf_iterator<char>(in), {});
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    // Signature, then the IHDR chunk: length, type, width, height.
    if (image.bytes.size() < 24
        || !std::equal(std::begin(signature), std::end(signature), image.bytes.begin())
        || std::string(image.bytes.begin() + 12, image.bytes.begin() + 16) != "IHDR") {
        error = path + " is not a PNG image";
        return false;
    }
    image.width = bigEndian32(image.bytes, 16);
    image.height = bigEndian32(image.bytes, 20);
    if (image.width == 0 || image.height == 0 || image.width > 256 || image.height > 256) {
        error = path + ": an icon image is 1 to 256 pixels on each side";
        return false;
    }
    return true;
}

void put16(std::ostream &out, std::uint32_t v)
{
    out.put(char(v & 0xff)).put(char(v >> 8 & 0xff));
}

void put32(std::ostream &out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::cerr << "usage: zanto_make_ico OUT.ico IN.png...\n";
        return 2;
    }
    std::vector<PngImage> images(std::size_t(argc - 2));
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::string error;
        if (!readPng(argv[i + 2], images[i], error)) {
            std::cerr << "zanto_make_ico: " << error << '\n';
            return 1;
        }
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    put16(out, 0); // reserved
    put16(out, 1); // an icon, not a cursor
    put16(out, std::uint32_t(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (const PngImage &image : images) {
        // 256 is written as 0: the field is one byte.
        out.put(char(image.width & 0xff)).put(char(image.height & 0xff));
        out.put(0).put(0); // no palette, reserved
        put16(out, 1); // colour planes
        put16(out, 32); // bits per pixel
        put32(out, std::uint32_t(image.bytes.size()));
        put32(out, offset);
        offset += std::uint32_t(image.bytes.size());
    }
    for (const PngImage &image : images)
        out.write(reinterpret_cast<const char *>(image.bytes.data()), std::streamsize(image.bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "zanto_make_ico: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
