// A built gauge file loaded from the test program's folder, on a stand-in
// host, driven through the routines of its header as the simulator drives it.
// Each GaugeUnderTest loads the file afresh, so module state starts as loaded.
#ifndef GAUGE_UNDER_TEST_H
#define GAUGE_UNDER_TEST_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gauge_file.h"
#include "host.h"

class GaugeUnderTest {
public:
    // Loads `file_name` and writes the host's service table into its ImportTable.
    ::testing::AssertionResult load(const std::string &file_name);

    panel_host::Host host;
    std::unique_ptr<panel_host::GaugeFile> file;
    GaugeHeader *header = nullptr;

    ElementRecord *head() const { return header->element_list[0]; }
    ElementRecord *child(const ElementRecord *parent, int index) const {
        return parent->children[index];
    }
    HMODULE module() const { return file->module(); }

    int32_t query() { return header->query(); }
    void install() { header->install(module()); }
    void initialize() { header->initialize(); }
    void update() { header->update(); }
    void generate(uint32_t value) { header->generate(value); }
    void draw() { header->draw(); }
    void kill() { header->kill(); }
    // install and initialize, as a panel starts
    void start() {
        install();
        initialize();
    }
    std::optional<int32_t> click(int x, int y) { return host.click(header, x, y); }

    // The names of the services called since the last forget_calls().
    std::vector<std::string> service_names() const;
    void forget_calls() { host.calls.clear(); }
};

// The 32-bit words of a record, as the host reads them.
inline const uint32_t *words_of(const void *record) {
    return static_cast<const uint32_t *>(record);
}
inline uint32_t word_of(const void *pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

#endif
