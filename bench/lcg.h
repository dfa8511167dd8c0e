#pragma once

#include <cstdint>

// A small linear congruential generator: the same sequence on every machine,
// so that the generated files are the same everywhere.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next()) / 16777216.0; }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t state_;
};
