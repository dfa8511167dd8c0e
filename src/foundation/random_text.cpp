#include "foundation/random_text.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

std::mt19937& generator() {
    static std::mt19937 engine{std::random_device{}()};
    return engine;
}

}  // namespace

void random_char(std::string& ccc) {
    std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
    float r = uniform(generator());
    if (r >= 1.0f) {
        r = 0.0f;
    }
    int code = 0;
    if (r < 0.3f) {
        code = std::clamp(48 + static_cast<int>(std::round(r * 9.0f / 0.3f)), 48, 57);
    } else {
        code = std::clamp(65 + static_cast<int>(std::round((r - 0.3f) * 25.0f / 0.7f)), 65, 90);
    }
    ccc.assign(1, static_cast<char>(code));
}
