// A fixture that holds one built gauge file, loaded afresh for every test.
#ifndef LOADED_GAUGE_TEST_H
#define LOADED_GAUGE_TEST_H

#include <gtest/gtest.h>

#include "gauge_under_test.h"

class LoadedGaugeTest : public ::testing::Test {
protected:
    explicit LoadedGaugeTest(const char *file_name) : file_name(file_name) {}
    void SetUp() override { ASSERT_TRUE(gauge.load(file_name)); }

    GaugeUnderTest gauge;

private:
    const char *file_name;
};

#endif
