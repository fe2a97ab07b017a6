#include "verify/verification.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace {

// A temperature with one decimal; "-" where there is none, and never "-0.0".
std::string tenths(double x) {
    if (std::isnan(x)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", x);
    return std::string(text) == "-0.0" ? "0.0" : text;
}

std::string weight_text(double w) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", w);
    return text;
}

std::string stats_columns(const error_stats& s) {
    char text[32];
    std::snprintf(text, sizeof text, " %5s %5s", tenths(s.bias).c_str(), tenths(s.mae).c_str());
    return text;
}

void write_row(std::ostream& out, const char* element, int d, const day_scores& s) {
    char head[32];
    std::snprintf(head, sizeof head, "%-7s %3d %5d", element, d + 1, s.issued.pairs);
    out << head << stats_columns(s.issued);
    if (d < blended_days) {
        out << stats_columns(s.first) << stats_columns(s.second);
        // Where a guidance lacks values the blend has, its scores rest on fewer pairs.
        if (s.first.pairs != s.issued.pairs || s.second.pairs != s.issued.pairs)
            out << "  (first " << s.first.pairs << ", second " << s.second.pairs << " pairs)";
    }
    out << '\n';
}

void write_errors(std::ostream& out, const char* label, const std::string& mae,
                  const std::string& rmse) {
    char text[64];
    std::snprintf(text, sizeof text, "%-12s %5s %5s\n", label, mae.c_str(), rmse.c_str());
    out << text;
}

} // namespace

void write_verify_table(std::ostream& out, const verification& r) {
    char weights[64];
    if (r.lowest_weight == r.highest_weight)
        std::snprintf(weights, sizeof weights, "ETA weight %g", r.lowest_weight);
    else
        std::snprintf(weights, sizeof weights, "ETA weights %g to %g", r.lowest_weight,
                      r.highest_weight);
    out << "Verification of " << issued_period(r) << " with " << weights << "\n"
        << "first guidance " << r.first_model << ", second " << r.second_model
        << "; in °F, bias is forecast minus observed\n\n"
        << "                    issued       first      second\n"
        << "element day pairs  bias   MAE  bias   MAE  bias   MAE\n";
    for (int d = 0; d < verified_days; ++d) write_row(out, "low", d, r.low[d]);
    for (int d = 0; d < verified_days; ++d) write_row(out, "high", d, r.high[d]);

    const weight_fit& fit = r.fit;
    out << "\nETA weight fitted to the lows and highs of days 1 and 2 where both guidances have "
           "a value:\n";
    if (fit.outcome == fit_outcome::too_few_pairs) {
        out << fit.pairs << (fit.pairs == 1 ? " pair" : " pairs") << ", too few to fit a weight ("
            << fewest_fit_pairs << " are needed)\n";
        return;
    }
    if (fit.outcome == fit_outcome::any_weight) {
        out << "in all " << fit.pairs
            << " pairs both guidances erred alike: any weight does as well, so none is given\n";
        return;
    }
    const std::string w = weight_text(fit.weight);
    write_errors(out, "", "MAE", "RMSE");
    write_errors(out, ("weight " + w).c_str(), tenths(fit.mae), tenths(fit.rmse));
    write_errors(out, "issued", tenths(fit.issued_mae), tenths(fit.issued_rmse));
    out << "over " << fit.pairs << " forecasts of days 1 and 2 the weight " << w
        << " would have given a mean absolute error of " << tenths(fit.mae)
        << " °F (issued: " << tenths(fit.issued_mae) << " °F)\n";
}
