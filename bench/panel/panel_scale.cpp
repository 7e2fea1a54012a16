#include "panel_scale.h"

#include "trace.h"

namespace bench {

namespace {

// floor(a / b) for b > 0.
long long floor_divide(long long a, long long b) {
    const long long quotient = a / b;
    return (a % b != 0 && a < 0) ? quotient - 1 : quotient;
}

}  // namespace

int to_pixels(const Scale &scale, long long numerator, long long denominator) {
    const long long n = numerator * scale.pixels;
    const long long d = denominator * scale.units;
    return static_cast<int>(floor_divide(2 * n + d, 2 * d));
}

double to_units(const Scale &scale, int pixel) {
    return static_cast<double>(pixel) * static_cast<double>(scale.units) / static_cast<double>(scale.pixels);
}

std::string describe(const Scale &scale) {
    const double ratio = static_cast<double>(scale.pixels) / static_cast<double>(scale.units);
    return format_value(ratio) + (ratio == 1 ? " pixel a unit" : " pixels a unit");
}

std::string describe(const Box &box) {
    return std::to_string(box.width) + " x " + std::to_string(box.height) + " pixels at (" +
           std::to_string(box.left) + ", " + std::to_string(box.top) + ")";
}

}  // namespace bench
