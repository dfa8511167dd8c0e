#pragma once

// Little-endian fields of binary files (terrain headers, airport records),
// read and written byte by byte so that no struct layout or host byte order
// enters the file format. Callers check that the bytes are there.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

inline std::uint32_t u32_at(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

inline std::uint64_t u64_at(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint64_t>(u32_at(bytes, at)) | (static_cast<std::uint64_t>(u32_at(bytes, at + 4)) << 32);
}

inline std::int8_t i8_at(const std::string& bytes, std::size_t at) { return static_cast<std::int8_t>(bytes[at]); }
inline std::int32_t i32_at(const std::string& bytes, std::size_t at) { return std::bit_cast<std::int32_t>(u32_at(bytes, at)); }
inline float f32_at(const std::string& bytes, std::size_t at) { return std::bit_cast<float>(u32_at(bytes, at)); }
inline double f64_at(const std::string& bytes, std::size_t at) { return std::bit_cast<double>(u64_at(bytes, at)); }

inline void put_u32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}
inline void put_i32(std::string& bytes, std::size_t at, std::int32_t value) { put_u32(bytes, at, std::bit_cast<std::uint32_t>(value)); }
inline void put_f32(std::string& bytes, std::size_t at, float value) { put_u32(bytes, at, std::bit_cast<std::uint32_t>(value)); }
