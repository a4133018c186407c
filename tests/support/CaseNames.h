#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

// A case's words as a test name GoogleTest takes (letters, digits and '_'):
// each word starts with a capital, everything else is left out, so
// "going off-line" is named GoingOffLine.
inline std::string Case_Name(std::string_view words) {
    std::string name;
    bool wordStart = true;
    for (const char ch : words) {
        const auto c = static_cast<unsigned char>(ch);
        if (!std::isalnum(c)) {
            wordStart = true;
            continue;
        }
        name += wordStart ? static_cast<char>(std::toupper(c)) : ch;
        wordStart = false;
    }
    return name.empty() ? std::string("Case") : name;
}

// Names each case of a parameterised test by its `name` field.
struct By_Case_Name {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return Case_Name(info.param.name);
    }
};
