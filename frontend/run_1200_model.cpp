#include "diagnostics/sentences.h"
#include "frontend/ask_file_name.h"
#include "frontend/runs.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_report.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <istream>
#include <ostream>
#include <sstream>

// Reads the ETA weight as one whole word, so that nothing of a word that is no number
// ("0,7") is left for the menu to take as a choice.
static bool ask_eta_weight(dialogue& d, std::string& word, double& eta_weight) {
    d.out << eta_weight_prompt << std::flush;
    // Kept long enough that a number too long to be one is refused, not cut to fit.
    if (read_word(d.in, word, longest_number + 1) && parse_number(word, eta_weight)) return true;
    say(d, bad_weight_sentence);
    if (d.in.fail())
        diagnose(d.why, "no ETA model weight before the end of input");
    else
        diagnose(d.why, "the ETA model weight " + quote_word(word) +
                            " is no number; type one such as 0.7");
    d.in.clear();
    return false;
}

void run_1200_model(dialogue& d) {
    std::string name, output;
    std::ifstream input;
    if (!ask_file_name(d, name, input, output)) return;
    loaded_bulletins loaded;
    fault why;
    if (!load_bulletin_file(input, name, loaded, why)) {
        refuse(d, why);
        return;
    }
    input.close();
    say(d, valid_file_sentence);
    for (const fault& warning : loaded.warnings) diagnose(d.why, fault_line(warning));

    std::string word;
    double eta_weight = 0;
    if (!ask_eta_weight(d, word, eta_weight)) return;
    // The menu takes any weight, as it always has, but says when it extrapolates.
    if (!(eta_weight >= lowest_eta_weight && eta_weight <= highest_eta_weight))
        diagnose(d.why, "the ETA model weight " + quote_word(word) + " is " + weight_range_note);
    city_forecast forecast;
    if (!compute_city_forecast(loaded.values, eta_weight, forecast, why)) {
        say(d, bad_weight_sentence);
        diagnose(d.why, "the ETA model weight " + quote_word(word) + ": " + why.what);
        return;
    }
    const double avn_ratio = 1.0 - eta_weight;
    d.out << avn_ratio_sentence << avn_ratio << std::endl << std::endl;
    write_day_table(d.out, forecast, false);
    // A stream of the run's own, so that its fixed notation never reaches the console.
    std::ostringstream report;
    write_report(report, forecast);
    save_output(d, output, report.str());
}
