// Names of parameterised tests: a table row's own Name field, so a test keeps
// its name from build to build and can be picked by it (its bytes would not).
#pragma once

#include <gtest/gtest.h>

#include <string>

// The fourth argument of INSTANTIATE_TEST_SUITE_P for rows with a Name field
// of letters, digits and underscores; GoogleTest refuses a repeated name.
struct TRowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const
    {
        return info.param.Name;
    }
};
