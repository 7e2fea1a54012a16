#include "gauge_under_test.h"

::testing::AssertionResult GaugeUnderTest::load(const std::string &file_name) {
    std::string error;
    file = panel_host::GaugeFile::load(panel_host::program_folder() + file_name, error);
    if (!file)
        return ::testing::AssertionFailure() << error;
    header = file->gauges()[0];
    file->connect(host.services());
    return ::testing::AssertionSuccess();
}

std::vector<std::string> GaugeUnderTest::service_names() const {
    std::vector<std::string> names;
    for (const panel_host::ServiceCall &call : host.calls)
        names.push_back(call.service);
    return names;
}
