#include "reading/quote_word.h"
#include "pointforecast/run_1200_model.h"

#include "files/ask_file_name.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/file_note.h"
#include "files/output_file_name.h"
#include "reading/parse_number.h"
#include "reading/reading.h"
#include "files/save_output_file.h"
#include "files/say_on_console.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_day_table.h"
#include "pointforecast/write_report.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

// Reads the ETA weight as one whole word, so that nothing of a word that is no number
// ("0,7") is left for the menu to take as a choice.
static bool ask_eta_weight(double& eta_weight) {
    std::cout << "Please enter in a decimal ratio you would like for the ETA model weight: "
              << std::flush;
    std::string word;
    // Kept long enough that a number too long to be one is refused, not cut to fit.
    if (read_word(std::cin, word, longest_number + 1) && parse_number(word, eta_weight))
        return true;
    std::cout << "The ETA model weight must be a number." << std::endl;
    if (std::cin.fail())
        diagnose("no ETA model weight before the end of input");
    else
        diagnose("the ETA model weight " + quote_word(word) +
                 " is no number; type one such as 0.7");
    std::cin.clear();
    return false;
}

void run_1200_model() {
    std::string file_name;
    if (!ask_file_name(file_name)) return;
    station_arrays arrays;
    std::string fault;
    std::vector<std::string> warnings;
    if (!load_bulletin_file(file_name, arrays, fault, warnings)) {
        std::cout << invalid_file_sentence << std::endl;
        diagnose(fault);
        return;
    }
    std::cout << "You have a valid file." << std::endl;
    for (const std::string& warning : warnings) diagnose(warning);

    double eta_weight = 0;
    if (!ask_eta_weight(eta_weight)) return;
    double avn_ratio = 1.0 - eta_weight;
    std::cout << "The AVNratio value then has to be: " << avn_ratio << std::endl << std::endl;

    city_forecast forecast;
    compute_city_forecast(arrays, eta_weight, forecast);
    write_day_table(std::cout, forecast, false);
    // A stream of the run's own, so that its fixed notation never reaches the console.
    std::ostringstream report;
    write_report(report, forecast);
    save_output_file(output_file_name(file_name), report.str(), say_on_console);
}
