#pragma once

// Reading back the JSON and CSV documents the export writes.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

// A JSON number, or NaN for null.
inline double number(const nlohmann::json& j) {
    return j.is_null() ? NAN : j.get<double>();
}

// The fields of each line of a CSV document, whose lines end in CR LF.
inline std::vector<std::vector<std::string>> csv_lines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        std::vector<std::string> fields(1);
        for (char c : line) {
            if (c == ',')
                fields.emplace_back();
            else
                fields.back().push_back(c);
        }
        lines.push_back(fields);
    }
    return lines;
}
