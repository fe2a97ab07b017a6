#pragma once

#include "diagnostics/fault.h"

#include <iosfwd>
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

// Writes the verification chart as one self-contained SVG document of 1100 by 680 pixels:
// two panels, the lows' and the highs' mean absolute error by forecast day 1 to 7, each
// with the issued blend, each guidance alone and, where a weight was fitted, the blend at
// that weight, on one scale from zero. A NaN error leaves a gap. Returns false, having
// written nothing, with why (fault_kind::refused_input) when an error is infinite or
// negative or the weight is infinite. The stream's own errors are the caller's.
bool write_verify_chart(std::ostream& out, const verify_chart_input& input, fault& why);
