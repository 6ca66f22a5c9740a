#include "editors/dpi_table.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

SensorSteps sensor(const char* model) {
    const auto s = sensorSteps(model);
    EXPECT_TRUE(s.has_value()) << model;
    return s.value_or(SensorSteps{});
}

// The ends of every table and the steps around its uneven jumps, both ways.
TEST(SensorTables, EndsAndJumps) {
    struct Row {
        const char* sensor;
        int step;
        const char* text;
        int code;
    };
    const Row rows[] = {
        {"A3050", 1, "250", 1},    {"A3050", 8, "2000", 8},   {"A3050", 9, "4000", 0},   {"A5050", 1, "125", 1},
        {"A5050", 12, "1500", 12}, {"A5050", 13, "1750", 13}, {"A5050", 17, "2750", 17}, {"6520", 1, "400", 0},
        {"6520", 10, "3200", 9},   {"3310", 1, "200", 4},     {"3310", 15, "3000", 60},  {"3310", 16, "3400", 68},
        {"3310", 20, "5000", 100}, {"3330", 1, "300", 5},     {"3330", 12, "3600", 71},  {"3330", 13, "4200", 83},
        {"3330", 20, "7200", 143},
    };
    for (const auto& r : rows) {
        const SensorSteps s = sensor(r.sensor);
        const auto step = sensorStep(s, r.step);
        ASSERT_TRUE(step.has_value()) << r.sensor << " step " << r.step;
        EXPECT_EQ(step->text, r.text) << r.sensor << " step " << r.step;
        EXPECT_EQ(step->code, r.code) << r.sensor << " step " << r.step;
        EXPECT_EQ(sensorStepOfCode(s, static_cast<std::uint8_t>(r.code)), r.step) << r.sensor << " code " << r.code;
        EXPECT_EQ(sensorStepOfValue(s, r.text), r.step) << r.sensor << " " << r.text;
    }
}

// Every step of every sensor against the rule its codes follow, and each code names one step.
TEST(SensorTables, CodesFollowTheSensorsRules) {
    struct Rule {
        const char* sensor;
        int steps;
        int (*code)(int step, int dpi);
    };
    const Rule rules[] = {
        {"A3050", 9, [](int k, int) { return k == 9 ? 0 : k; }}, {"A5050", 17, [](int k, int) { return k; }},
        {"6520", 10, [](int k, int) { return k - 1; }},          {"3310", 20, [](int, int dpi) { return dpi / 50; }},
        {"3330", 20, [](int, int dpi) { return dpi / 50 - 1; }},
    };
    for (const auto& r : rules) {
        const SensorSteps s = sensor(r.sensor);
        EXPECT_EQ(s.stepCount, r.steps) << r.sensor;
        int previousDpi = 0;
        for (int k = 1; k <= s.stepCount; ++k) {
            const SensorStep step = *sensorStep(s, k);
            const int dpi = std::stoi(std::string(step.text));
            EXPECT_GT(dpi, previousDpi) << r.sensor << " step " << k;
            previousDpi = dpi;
            EXPECT_EQ(step.code, r.code(k, dpi)) << r.sensor << " step " << k;
            EXPECT_EQ(sensorStepOfCode(s, step.code), k) << r.sensor << " step " << k;
        }
        EXPECT_EQ(sensorStep(s, 0), std::nullopt) << r.sensor;
        EXPECT_EQ(sensorStep(s, s.stepCount + 1), std::nullopt) << r.sensor;
    }
}

TEST(SensorTables, WhatNoTableHas) {
    EXPECT_EQ(sensorSteps(""), std::nullopt);
    EXPECT_EQ(sensorSteps("9800"), std::nullopt);
    const SensorSteps s3330 = sensor("3330");
    EXPECT_EQ(sensorStepOfCode(s3330, 4), std::nullopt);  // the default image's codes are not the 3330's
    EXPECT_EQ(sensorStepOfCode(s3330, 255), std::nullopt);
    for (const char* text : {"", "2000", "7200 ", "+300", "abc", "99999999999999"})
        EXPECT_EQ(sensorStepOfValue(s3330, text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(sensorStepOfValue(s3330, "0300"), 1) << "a value is a number, not a text";
}

}  // namespace
}  // namespace varnel
