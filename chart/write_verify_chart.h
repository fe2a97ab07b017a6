#pragma once

#include "chart/verify_chart_input.h"
#include "diagnostics/fault.h"

#include <iosfwd>

// Writes the verification chart as one self-contained SVG document of 1100 by 680 pixels:
// two panels, the lows' and the highs' mean absolute error by forecast day 1 to 7, each
// with the issued blend, each guidance alone and, where a weight was fitted, the blend at
// that weight, on one scale from zero. A NaN error leaves a gap. Returns false, having
// written nothing, with why (fault_kind::refused_input) when an error is infinite or
// negative or the weight is infinite. The stream's own errors are the caller's.
bool write_verify_chart(std::ostream& out, const verify_chart_input& input, fault& why);
