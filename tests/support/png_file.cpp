#include "support/png_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string>

namespace tarvex_test {

namespace {

// The CRC-32 of PNG chunks (ISO 3309), table built once.
std::uint32_t crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFFU] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFU;
}

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((v >> shift) & 0xFFU);
    }
}

void chunk(std::string& png, const char* type, const std::string& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    put32(png, crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlib_stored(const std::string& raw) {
    std::string out = "\x78\x01";
    constexpr std::size_t kBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(kBlock, raw.size() - at);
        const bool last = at + n == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(n & 0xFFU);
        out += static_cast<char>((n >> 8) & 0xFFU);
        out += static_cast<char>(~n & 0xFFU);
        out += static_cast<char>((~n >> 8) & 0xFFU);
        out.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : raw) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521U;
        b = (b + a) % 65521U;
    }
    put32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool write_png(const std::filesystem::path& file, const RgbImage& image) {
    const auto row_bytes = static_cast<std::size_t>(image.width) * 3;
    if (image.width <= 0 || image.height <= 0 || image.rgb.size() != row_bytes * static_cast<std::size_t>(image.height)) {
        return false;
    }
    std::string raw;
    raw.reserve((row_bytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(image.rgb.data()) + row_bytes * static_cast<std::size_t>(y), row_bytes);
    }
    std::string header;
    put32(header, static_cast<std::uint32_t>(image.width));
    put32(header, static_cast<std::uint32_t>(image.height));
    header += "\x08\x02";  // 8 bits, truecolour
    header += std::string(3, '\0');  // deflate, adaptive filters, no interlace
    std::string png = "\x89PNG\r\n\x1A\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib_stored(raw));
    chunk(png, "IEND", "");
    std::ofstream out(file, std::ios::binary);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace tarvex_test
