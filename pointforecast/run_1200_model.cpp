#include "pointforecast/run_1200_model.h"

#include "frontend/ask_file_name.h"
#include "frontend/output_file_name.h"
#include "frontend/write_output_file.h"
#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/reading.h"
#include "ingest/validate_bulletin_file.h"
#include "pointforecast/gather_day_values.h"
#include "pointforecast/write_day_table.h"
#include "pointforecast/write_report.h"

#include <iostream>
#include <sstream>
#include <string>

// Reads the ETA weight. When no number can be read, the rest of the offending word is
// dropped so that the menu goes on with the next word instead of failing on it again.
static bool ask_eta_weight(double& eta_weight) {
    std::cout << "Please enter in a decimal ratio you would like for the ETA model weight: "
              << std::flush;
    if (read_double(std::cin, eta_weight)) return true;
    std::cin.clear();
    drop_rest_of_word(std::cin);
    std::cout << "The ETA model weight must be a number." << std::endl;
    return false;
}

void run_1200_model() {
    std::string file_name;
    if (!ask_file_name(file_name)) return;

    // The file is read whole before it is called valid: a forecast is never made from
    // values the file did not hold.
    bulletin_layout layout;
    std::int32_t eta_temp_pop[4 * 12], avn_temp_pop[4 * 12], mrf_temp_pop[4 * 25];
    std::int32_t eta_sky_wind[4 * 57], avn_sky_wind[4 * 57], mrf_sky_wind[4 * 22];
    if (!validate_bulletin_file(file_name.c_str(), layout) ||
        !read_temp_pop(eta_temp_pop, avn_temp_pop, mrf_temp_pop, file_name.c_str(), layout) ||
        !read_sky_wind(eta_sky_wind, avn_sky_wind, mrf_sky_wind, file_name.c_str(), layout)) {
        std::cout << "Your file is invalid." << std::endl;
        return;
    }
    std::cout << "You have a valid file." << std::endl;

    model_pair day_pairs[12];
    station_set ext_day_sets[25];
    gather_day_values(eta_temp_pop, avn_temp_pop, mrf_temp_pop, day_pairs, ext_day_sets);

    double eta_weight = 0;
    if (!ask_eta_weight(eta_weight)) return;
    double avn_ratio = 1.0 - eta_weight;
    std::cout << "The AVNratio value then has to be: " << avn_ratio << std::endl << std::endl;

    write_day_table(std::cout, day_pairs, ext_day_sets, eta_weight, avn_ratio, false);

    // A stream of the run's own, so that its fixed notation never reaches the console.
    std::ostringstream report;
    write_report(report, day_pairs, ext_day_sets, eta_sky_wind, avn_sky_wind, mrf_sky_wind,
                 eta_weight, avn_ratio);
    write_output_file(output_file_name(file_name), report.str());
}
