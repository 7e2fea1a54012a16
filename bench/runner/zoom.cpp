#include "zoom.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace bench {

namespace {

const Zoom SMALLEST = {1, 4};
const Zoom LARGEST = {4, 1};

// floor(a / b) for b > 0.
long long floor_divide(long long a, long long b) {
    const long long quotient = a / b;
    return (a % b != 0 && a < 0) ? quotient - 1 : quotient;
}

Zoom reduced(long long numerator, long long denominator) {
    const long long divisor = std::gcd(numerator, denominator);
    return divisor > 1 ? Zoom{numerator / divisor, denominator / divisor} : Zoom{numerator, denominator};
}

long long power_of(long long base, int exponent) {
    long long value = 1;
    while (exponent-- > 0)
        value *= base;
    return value;
}

// 1.25 to the powers -6 to 6, between the ends 25% and 400%.
std::vector<Zoom> zoom_steps() {
    std::vector<Zoom> steps{SMALLEST};
    for (int power = -6; power <= 6; ++power)
        steps.push_back(power < 0 ? Zoom{power_of(4, -power), power_of(5, -power)}
                                  : Zoom{power_of(5, power), power_of(4, power)});
    steps.push_back(LARGEST);
    return steps;
}

const std::vector<Zoom> &steps() {
    static const std::vector<Zoom> all = zoom_steps();
    return all;
}

}  // namespace

bool operator<(const Zoom &a, const Zoom &b) { return a.numerator * b.denominator < b.numerator * a.denominator; }

bool operator==(const Zoom &a, const Zoom &b) { return !(a < b) && !(b < a); }

Zoom zoom_of_percent(int percent) { return reduced(percent, 100); }

int percent_of(const Zoom &zoom) {
    return static_cast<int>(floor_divide(200 * zoom.numerator + zoom.denominator, 2 * zoom.denominator));
}

int zoom_edge(const Zoom &zoom, long long pixel) {
    return static_cast<int>(
        floor_divide(2 * pixel * zoom.numerator + zoom.denominator, 2 * zoom.denominator));
}

Zoom fit_zoom(int width, int height, int view_width, int view_height) {
    if (width <= 0 || height <= 0)
        return FULL_SIZE;
    const long long across = std::max(view_width, 1), down = std::max(view_height, 1);
    // The smaller of view / layout on the two sides; at it one side fills the view exactly.
    const Zoom fit = across * height < down * width ? reduced(across, width) : reduced(down, height);
    return fit < FULL_SIZE ? fit : FULL_SIZE;
}

Zoom zoom_in(const Zoom &zoom) {
    for (const Zoom &step : steps())
        if (zoom < step)
            return step;
    return LARGEST;
}

Zoom zoom_out(const Zoom &zoom) {
    for (auto step = steps().rbegin(); step != steps().rend(); ++step)
        if (*step < zoom)
            return *step;
    return zoom < SMALLEST ? zoom : SMALLEST;
}

int panel_pixel_shown(int offset, int length, int shown) {
    return static_cast<int>(floor_divide(static_cast<long long>(offset) * length, shown));
}

int screen_pixel_showing(int pixel, int length, int shown) {
    if (pixel < 0 || pixel >= length || shown <= 0)
        return zoom_edge(Zoom{shown, length}, pixel);
    // The first screen pixel showing `pixel` or a later one, and the one before it.
    const int later = std::min(shown - 1, static_cast<int>((static_cast<long long>(pixel) * shown + length - 1) /
                                                           length));
    const int earlier = later - 1;
    if (earlier < 0)
        return later;
    const int later_off = std::abs(panel_pixel_shown(later, length, shown) - pixel);
    const int earlier_off = std::abs(panel_pixel_shown(earlier, length, shown) - pixel);
    return earlier_off < later_off ? earlier : later;
}

panel_host::Picture zoom_picture(const panel_host::Picture &picture, int width, int height) {
    panel_host::Picture zoomed;
    zoomed.resize(width, height, 0);
    panel_host::draw_picture_box(zoomed, picture, 0, 0, width, height);
    return zoomed;
}

}  // namespace bench
