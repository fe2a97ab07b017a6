#pragma once

#include <nlohmann/json.hpp>

#include <cmath>
#include <string>

// A number as the documents write it: null where it does not exist (NaN) or is no finite
// number, which JSON cannot hold.
inline nlohmann::ordered_json json_number(double x) {
    if (!std::isfinite(x)) return nullptr;
    return x;
}

// The same number as a CSV field: the digits the JSON document writes (the shortest that
// read back the same double), empty where the JSON has null.
inline std::string csv_number(double x) {
    return std::isfinite(x) ? nlohmann::ordered_json(x).dump() : std::string();
}
