#include "panel.h"

#include <windows.h>

#include <algorithm>
#include <fstream>

#include "limits.h"

#include "sound_mixer.h"

namespace bench {

namespace {

const uint32_t PANEL_FILL = PICTURE_OPAQUE | 0x303030;

std::string hex(uint32_t number) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(number));
    return text;
}

// Why a background file cannot be a panel's picture, from its header: ""
// when the platform's bitmap loader may read it.
std::string background_problem(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "no such file";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "a folder, not a bitmap";
    std::ifstream file(path, std::ios::binary);
    unsigned char head[26] = {};
    file.read(reinterpret_cast<char *>(head), sizeof head);
    const std::streamsize count = file.gcount();
    if (count < 2 || head[0] != 'B' || head[1] != 'M')
        return "not a BMP bitmap (a PNG, a JPEG, text?)";
    if (count < 26)
        return "a BMP bitmap cut short";
    auto word = [&](int at) {
        return static_cast<int32_t>(head[at] | (head[at + 1] << 8) | (head[at + 2] << 16) |
                                    (static_cast<uint32_t>(head[at + 3]) << 24));
    };
    const int32_t header_size = word(14);
    const long long width = header_size == 12 ? (head[18] | (head[19] << 8)) : word(18);
    long long height = header_size == 12 ? (head[20] | (head[21] << 8)) : word(22);
    if (height < 0)
        height = -height;
    if (width <= 0 || height <= 0 || width > MAX_PANEL_SIDE || height > MAX_PANEL_SIDE)
        return "a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; a panel is 1 to " + std::to_string(MAX_PANEL_SIDE) + " pixels each way";
    return std::string();
}

// A background bitmap file, through the platform's own bitmap loader.
bool load_background(const std::string &path, panel_host::Picture &picture, std::string &error) {
    error = background_problem(path);
    if (!error.empty())
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        error = "not a bitmap the platform can read";
        return false;
    }
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    picture.resize(info.bmWidth, info.bmHeight, 0);
    BITMAPINFO format = panel_host::picture_format(info.bmWidth, info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, picture.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (uint32_t &pixel : picture.pixels)
        pixel |= PICTURE_OPAQUE;
    return true;
}

std::string size_text(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

Panel::Panel(Trace &trace, const std::vector<std::string> &variables, bool only_these)
    : trace_(trace), aircraft_(host_, trace, variables, only_these), sound_(trace) {}

Panel::~Panel() { stop(); }

bool Panel::place(const PanelConfig &config, const GaugeLine &line,
                  std::map<std::string, std::shared_ptr<panel_host::GaugeFile>> &files,
                  std::vector<PlacedGauge> &gauges, Diagnostics &found) {
    const std::string path = config.folder + line.file + ".gau";
    std::shared_ptr<panel_host::GaugeFile> &file = files[lower(path)];
    if (file == nullptr) {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            found.error(where(config, line), "no gauge file " + line.file + ".gau in " + config.folder);
            return false;
        }
        std::string why;
        file = panel_host::GaugeFile::load(path, why);
        if (file == nullptr) {
            found.error(where(config, line), why);
            return false;
        }
    }
    PlacedGauge gauge;
    gauge.line = line;
    gauge.file = file;
    gauge.label = line.file + (line.gauge_name.empty() ? "" : "!" + line.gauge_name);
    gauge.header = line.gauge_name.empty() ? file->gauges().front() : file->find(line.gauge_name);
    if (gauge.header == nullptr) {
        std::string carried;
        for (GaugeHeader *header : file->gauges())
            carried += std::string(carried.empty() ? "" : ", ") + "\"" +
                       (header->name ? header->name : "") + "\"";
        found.error(where(config, line), line.file + ".gau holds no gauge named \"" +
                                             line.gauge_name + "\" (it holds " + carried + ")");
        return false;
    }
    if (gauge.header->element_list == nullptr || gauge.header->element_list[0] == nullptr) {
        found.error(where(config, line), "the gauge has no elements");
        return false;
    }
    for (const PlacedGauge &placed : gauges)
        if (placed.header == gauge.header) {
            found.error(where(config, line), "this gauge is already placed by " + placed.line.key +
                                                 "; its records allow one place");
            return false;
        }
    panel_host::Bitmap background;
    std::string why;
    if (!panel_host::load_bitmap_resource(file->module(), gauge.head()->image, background, why)) {
        found.error(where(config, line), "its background: " + why);
        return false;
    }
    if (line.width > 0)
        gauge.scale = static_cast<double>(line.width) / background.width;
    gauge.width = static_cast<int>(background.width * gauge.scale + 0.5);
    gauge.height = static_cast<int>(background.height * gauge.scale + 0.5);
    if (gauge.height > MAX_PANEL_SIDE) {
        found.error(where(config, line), "scaled to this width the gauge is " +
                                             size_text(gauge.width, gauge.height) +
                                             " pixels, more than " + std::to_string(MAX_PANEL_SIDE) +
                                             " high");
        return false;
    }
    gauges.push_back(std::move(gauge));
    return true;
}

void Panel::warn_of_placement(const PanelConfig &config, Diagnostics &found) const {
    for (size_t i = 0; i < gauges_.size(); ++i) {
        const PlacedGauge &gauge = gauges_[i];
        const GaugeLine &line = gauge.line;
        const int right = line.x + gauge.width, bottom = line.y + gauge.height;
        const std::string extent = "the gauge (" + size_text(gauge.width, gauge.height) + " at " +
                                   std::to_string(line.x) + ", " + std::to_string(line.y) + ")";
        if (line.x >= width_ || line.y >= height_ || right <= 0 || bottom <= 0)
            found.warning(where(config, line), extent + " lies outside the " +
                                                   size_text(width_, height_) + " panel");
        else if (line.x < 0 || line.y < 0 || right > width_ || bottom > height_)
            found.warning(where(config, line), extent + " reaches past the " +
                                                   size_text(width_, height_) + " panel's edge");
        for (size_t j = 0; j < i; ++j) {
            const PlacedGauge &other = gauges_[j];
            if (line.x < other.line.x + other.width && other.line.x < right &&
                line.y < other.line.y + other.height && other.line.y < bottom)
                found.warning(where(config, line), extent + " overlaps " + other.line.key +
                                                       " (" + other.label + "), which it covers");
        }
    }
}

bool Panel::load(const PanelConfig &config, Diagnostics &found) {
    std::vector<PlacedGauge> gauges;
    std::map<std::string, std::shared_ptr<panel_host::GaugeFile>> files;
    bool loaded = true;
    if (!config.background.empty()) {
        std::string why;
        if (!load_background(config.background, background_, why)) {
            found.error(config.path + " line " + std::to_string(config.background_line) + " (file=" +
                            config.background_text + ")",
                        config.background + ": " + why);
            loaded = false;
        }
    }
    for (const GaugeLine &line : config.gauges)
        loaded = place(config, line, files, gauges, found) && loaded;
    if (!loaded)
        return false;
    gauges_ = std::move(gauges);
    // Each gauge file's sound and debug output are watched once, under the name of its file.
    for (const auto &file : files)
        for (const PlacedGauge &gauge : gauges_)
            if (gauge.file == file.second) {
                sound_.watch(file.second->module(), gauge.line.file);
                const std::string who = gauge.line.file + ": debug: ";
                debug_.watch(file.second->module(),
                             [this, who](const std::string &text) { trace_.line(who + text); });
                SoundRecorder *recorder = SoundRecorder::of_module(file.second->module());
                if (sound_clock_ != nullptr && recorder != nullptr) {
                    std::shared_ptr<SoundClock> clock = sound_clock_;
                    const HMODULE module = file.second->module();
                    recorder->device_source = [clock, module](LPCGUID id, IDirectSound **out, IUnknown *outer) {
                        return clock->create_device(module, id, out, outer);
                    };
                }
                break;
            }

    width_ = config.width > 0 ? config.width : background_.width;
    height_ = config.height > 0 ? config.height : background_.height;
    if (width_ == 0 || height_ == 0) {
        // No size given: the panel reaches just past its gauges.
        for (const PlacedGauge &gauge : gauges_) {
            width_ = std::max(width_, gauge.line.x + gauge.width);
            height_ = std::max(height_, gauge.line.y + gauge.height);
        }
        if (width_ <= 0 || height_ <= 0 || width_ > MAX_PANEL_SIDE || height_ > MAX_PANEL_SIDE) {
            found.error(config.path, "without size= the panel would reach to " +
                                         size_text(width_, height_) + "; a panel is 1 to " +
                                         std::to_string(MAX_PANEL_SIDE) + " pixels each way");
            stop();
            return false;
        }
    }
    warn_of_placement(config, found);
    return true;
}

void Panel::use_clock_sound() { sound_clock_ = std::make_shared<SoundClock>(); }

bool Panel::record_sound_track(const std::string &path, std::string &error) {
    if (sound_clock_ == nullptr) {
        error = "--audio needs the bench's own sound device (not with --window or --real-sound)";
        return false;
    }
    return sound_track_.open(path, error);
}

void Panel::start() {
    for (PlacedGauge &gauge : gauges_)
        gauge.file->connect(host_.services());
    for (PlacedGauge &gauge : gauges_) {
        trace_.line(gauge.label + ": install \"" + (gauge.header->name ? gauge.header->name : "") +
                    "\" at (" + std::to_string(gauge.line.x) + ", " + std::to_string(gauge.line.y) + ")");
        host_.install_error.clear();
        gauge.header->install(gauge.file->module());
        if (!host_.install_error.empty())
            trace_.line(gauge.label + ": " + host_.install_error);
        gauge.header->initialize();
        const std::vector<std::string> unprovided = aircraft_.take_unprovided();
        if (!unprovided.empty()) {
            std::string names;
            for (const std::string &name : unprovided)
                names += " " + name;
            trace_.warning(gauge.label + " binds " + std::to_string(unprovided.size()) +
                           " panel variable(s) the bench does not provide (not in --variables):" +
                           names);
        }
        gauge.header->query();
        sound_.flush();
    }
    started_ = true;
}

void Panel::cycle() {
    if (sound_track_.is_open()) {
        // The tick that ends now, with every play and stop made in it.
        std::vector<int16_t> mixed;
        mix_tick(sound_clock_->buffers(), sound_clock_->tick, mixed);
        sound_track_.append(mixed);
    }
    aircraft_.tick();
    if (sound_clock_ != nullptr)
        sound_clock_->tick = aircraft_.ticks();
    for (PlacedGauge &gauge : gauges_)
        gauge.header->update();
    for (PlacedGauge &gauge : gauges_)
        gauge.header->generate(0);
    for (PlacedGauge &gauge : gauges_)
        gauge.header->draw();
    host_.calls.clear();
    aircraft_.trace_changes();
    trace_icons();
    sound_.flush();
    if (cycled)
        cycled();
}

void Panel::stop() {
    if (started_) {
        for (PlacedGauge &gauge : gauges_) {
            gauge.header->kill();
            trace_.line(gauge.label + ": killed");
        }
        sound_.check_released();
        started_ = false;
    }
    std::string error;
    if (!sound_track_.close(error))
        fprintf(stderr, "bench: %s\n", error.c_str());
    sound_.clear();  // before the files unload: they undo the patch of their imports
    debug_.clear();
    gauges_.clear();  // the last reference to each file unloads it
}

void Panel::trace_icons() {
    for (PlacedGauge &gauge : gauges_) {
        std::string shown, hidden;
        panel_host::for_each_element(gauge.head(), [&](ElementRecord *element) {
            if (element->kind != ELEMENT_ICON)
                return;
            const bool now = host_.shown(element);
            auto seen = gauge.icons_shown.find(element);
            if (seen != gauge.icons_shown.end() && seen->second == now)
                return;
            gauge.icons_shown[element] = now;
            (now ? shown : hidden) += " " + hex(element->image);
        });
        if (!shown.empty())
            trace_.line(gauge.label + ": show icon" + shown);
        if (!hidden.empty())
            trace_.line(gauge.label + ": hide icon" + hidden);
    }
}

bool Panel::click(int x, int y) {
    std::string where = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    for (auto gauge = gauges_.rbegin(); gauge != gauges_.rend(); ++gauge) {
        if (x < gauge->line.x || y < gauge->line.y || x >= gauge->line.x + gauge->width ||
            y >= gauge->line.y + gauge->height)
            continue;
        const int local_x = static_cast<int>((x - gauge->line.x) / gauge->scale);
        const int local_y = static_cast<int>((y - gauge->line.y) / gauge->scale);
        if (host_.region_at(gauge->header, local_x, local_y) == nullptr)
            continue;
        trace_.line("click " + where + ": " + gauge->label + " at (" + std::to_string(local_x) +
                    ", " + std::to_string(local_y) + ")");
        std::optional<int32_t> result = host_.click(gauge->header, local_x, local_y);
        trace_.line("  handler returned " + std::to_string(result.value_or(0)));
        aircraft_.trace_changes();
        sound_.flush();
        return true;
    }
    trace_.line("click " + where + ": no gauge region there");
    return false;
}

bool Panel::click_point(const PlacedGauge &gauge, int &x, int &y) const {
    for (const panel_host::MouseRegistration &registration : host_.mouse_registrations()) {
        if (registration.gauge != gauge.header)
            continue;
        for (MouseRegion *region = registration.list; region->kind != MOUSE_END_OF_LIST; ++region) {
            if (region->kind != MOUSE_CHILD || region->handler == nullptr)
                continue;
            x = gauge.line.x + static_cast<int>((region->x + region->width / 2) * gauge.scale);
            y = gauge.line.y + static_cast<int>((region->y + region->height / 2) * gauge.scale);
            return true;
        }
    }
    return false;
}

PlacedGauge *Panel::find(const std::string &name) {
    const std::string wanted = lower(name);
    for (PlacedGauge &gauge : gauges_)
        if (lower(gauge.label) == wanted || lower(gauge.line.file) == wanted ||
            (gauge.header->name != nullptr && lower(gauge.header->name) == wanted))
            return &gauge;
    return nullptr;
}

panel_host::Picture Panel::compose() const {
    panel_host::Picture panel;
    panel.resize(width_, height_, PANEL_FILL);
    if (!background_.pixels.empty())
        panel_host::draw_picture(panel, background_, 0, 0, 1.0);
    for (const PlacedGauge &gauge : gauges_) {
        const panel_host::Picture *picture = host_.picture(gauge.head());
        if (picture != nullptr)
            panel_host::draw_picture(panel, *picture, gauge.line.x, gauge.line.y, gauge.scale);
    }
    return panel;
}

}  // namespace bench
