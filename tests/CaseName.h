#pragma once
// The name of a parameterised test case in test lists and failures: the case's `name` with every
// run of characters a test name cannot hold turned into one '_'.
// "output is a file" -> output_is_a_file

#include <gtest/gtest.h>

#include <string>

template <typename Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string(info.param.name)) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (plain) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}
