#pragma once

#include <string>

// Everything the verification chart shows: the mean absolute error of the low (element 0)
// and the high (element 1) by day 1 to 7, in °F, NaN where a series has no pairs (the
// guidances alone and the fitted weight exist for days 1 and 2 only).
struct verify_chart_input {
    std::string period;       // "30 forecasts issued 2026-11-01 to 2026-11-30"
    std::string first_model;  // "NBM"
    std::string second_model; // "GFS"
    double weight;            // the fitted weight, NaN where none was fitted
    double issued[2][7];
    double first[2][7];
    double second[2][7];
    double fitted[2][7];
    int pairs[2][7]; // the issued blend's pairs
};
