#include "gauge_placement.h"

#include <algorithm>

#include "bitmap.h"
#include "bench_limits.h"
#include "gauge_search.h"
#include "placeholder.h"
#include "trace.h"

namespace bench {

std::shared_ptr<panel_host::GaugeFile> GaugeFiles::get(const std::string &path, std::string &why) {
    const std::string key = lower(path);
    auto loaded = files_.find(key);
    if (loaded != files_.end())
        return loaded->second;
    auto failed = failures_.find(key);
    if (failed != failures_.end()) {
        why = failed->second;
        return nullptr;
    }
    std::shared_ptr<panel_host::GaugeFile> file;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        why = "no such file";
    else
        file = panel_host::GaugeFile::load(path, why);
    if (file == nullptr) {
        // The loader names the file by its full path; the line names it already.
        if (why.compare(0, path.size() + 2, path + ": ") == 0)
            why = why.substr(path.size() + 2);
        failures_[key] = why;
        return nullptr;
    }
    files_[key] = file;
    return file;
}

namespace {

// The names of the gauges a file holds, for a message.
std::string carried(const panel_host::GaugeFile &file) {
    std::string names;
    for (GaugeHeader *header : file.gauges())
        names += std::string(names.empty() ? "" : ", ") + "\"" + (header->name ? header->name : "") + "\"";
    return names;
}

// The gauge's box at the window's scale: the line's width, else the width
// its header gives, else its bitmap's own; the line's height, else the
// bitmap's proportions. Edges at round(x * scale) and round((x + width) * scale).
void size_gauge(const Scale &scale, const GaugeHeader &header, PlacedGauge &gauge) {
    const GaugeLine &line = gauge.line;
    const long long bitmap_width = gauge.bitmap_width, bitmap_height = gauge.bitmap_height;
    long long width = 0, width_over = 1;  // the width in units: width / width_over
    if (line.width > 0)
        width = line.width;
    else if (line.height > 0)
        width = line.height * bitmap_width, width_over = bitmap_height;
    else if (header.width_mm > 0)
        width = std::min<long long>(header.width_mm, MAX_UNITS + 1);
    else
        width = bitmap_width * scale.units, width_over = scale.pixels;
    long long height = line.height, height_over = 1;
    if (line.height == 0)
        height = width * bitmap_height, height_over = width_over * bitmap_width;
    gauge.unit_width = static_cast<double>(width) / static_cast<double>(width_over);
    gauge.unit_height = static_cast<double>(height) / static_cast<double>(height_over);
    const int left = to_pixels(scale, line.x), top = to_pixels(scale, line.y);
    const int right = to_pixels(scale, line.x * width_over + width, width_over);
    const int bottom = to_pixels(scale, line.y * height_over + height, height_over);
    gauge.box = Box{left, top, std::max(1, right - left), std::max(1, bottom - top)};
}

// A gauge already placed by an earlier line becomes a placeholder: its records serve one place.
bool placed_before(PlacedGauge &gauge, const std::vector<PlacedGauge> &placed) {
    for (const PlacedGauge &other : placed)
        if (other.runs() && other.header == gauge.header) {
            gauge.not_run = "this gauge is already placed by " + other.place + " (" + other.where +
                            "); its records serve one place";
            return true;
        }
    return false;
}

}  // namespace

PlacedGauge place_gauge(const PanelConfig &config, const PanelWindow &window, int window_index,
                        const GaugeLine &line, GaugeFiles &files, const std::vector<PlacedGauge> &placed) {
    PlacedGauge gauge;
    gauge.window = window_index;
    gauge.line = line;
    gauge.place = gauge_place(window.config, line);
    gauge.label = line.file + (line.gauge_name.empty() ? "" : "!" + line.gauge_name);
    gauge.where = where(config, line);
    if (line.width > 0 && line.height > 0) {
        // The line's own box, shown also when the gauge cannot be loaded.
        const Scale &scale = window.scale;
        const int left = to_pixels(scale, line.x), top = to_pixels(scale, line.y);
        gauge.box = Box{left, top, std::max(1, to_pixels(scale, line.x + line.width) - left),
                        std::max(1, to_pixels(scale, line.y + line.height) - top)};
        gauge.unit_width = line.width;
        gauge.unit_height = line.height;
    }
    if (!line.path_problem.empty()) {
        gauge.not_run = line.path_problem;
        return gauge;
    }
    GaugeSearch search = find_gauge_file(config, line);
    gauge.looked_for = std::move(search.looked_for);
    if (search.path.empty()) {
        gauge.not_run = search.problem;
        return gauge;
    }
    gauge.file_name = search.name;
    gauge.in_gauges = search.in_gauges;
    std::string why;
    gauge.file = files.get(search.path, why);
    if (gauge.file == nullptr) {
        gauge.not_run = search.name + ": " + why;
        return gauge;
    }
    gauge.header = line.gauge_name.empty() ? gauge.file->gauges().front() : gauge.file->find(line.gauge_name);
    if (gauge.header == nullptr) {
        gauge.not_run = search.name + " holds no gauge named \"" + line.gauge_name + "\" (it holds " +
                        carried(*gauge.file) + ")";
        return gauge;
    }
    if (line.zero_box) {
        gauge.box = Box{to_pixels(window.scale, line.x), to_pixels(window.scale, line.y), 0, 0};
        gauge.unit_width = line.width;
        gauge.unit_height = line.height;
        placed_before(gauge, placed);
        return gauge;
    }
    if (gauge.header->element_list == nullptr || gauge.header->element_list[0] == nullptr) {
        gauge.not_run = "the gauge has no elements";
        return gauge;
    }
    panel_host::Bitmap bitmap;
    if (!panel_host::load_bitmap_resource(gauge.file->module(), gauge.head()->image, bitmap, why)) {
        gauge.not_run = "its background: " + why;
        return gauge;
    }
    gauge.bitmap_width = bitmap.width;
    gauge.bitmap_height = bitmap.height;
    size_gauge(window.scale, *gauge.header, gauge);
    if (placed_before(gauge, placed))
        return gauge;
    if (gauge.box.width > MAX_PANEL_SIDE || gauge.box.height > MAX_PANEL_SIDE)
        gauge.not_run = "at " + describe(window.scale) + " the gauge would be " + std::to_string(gauge.box.width) +
                        " x " + std::to_string(gauge.box.height) + " pixels, more than " +
                        std::to_string(MAX_PANEL_SIDE) + " each way";
    return gauge;
}

std::string describe_place(const PlacedGauge &gauge) {
    std::string text = "at (" + std::to_string(gauge.line.x) + ", " + std::to_string(gauge.line.y) + ")";
    if (gauge.zero_box() && gauge.runs())
        return "a zero box (" + format_value(gauge.unit_width) + " x " + format_value(gauge.unit_height) +
               " units) " + text + ": it draws nothing and has no click region";
    if (gauge.box.width > 0)
        text = format_value(gauge.unit_width) + " x " + format_value(gauge.unit_height) + " units " + text +
               ", " + describe(gauge.box);
    return text;
}

WindowContents window_contents(const std::vector<PlacedGauge> &gauges, int window, const Scale &scale) {
    WindowContents contents;
    for (const PlacedGauge &gauge : gauges) {
        if (gauge.window != window || (gauge.runs() && gauge.zero_box()))
            continue;
        if (gauge.box.width > 0) {
            contents.gauges.push_back(gauge.box);
        } else if (!gauge.runs()) {
            Box marker{to_pixels(scale, gauge.line.x), to_pixels(scale, gauge.line.y), 0, 0};
            placeholder_marker_extent(gauge.label, &marker.width, &marker.height);
            contents.placeholders.push_back(marker);
        }
    }
    return contents;
}

}  // namespace bench
