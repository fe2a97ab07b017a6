#include "pointforecast/load_bulletin_file.h"

#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"
#include "diagnostics/file_note.h"
#include "pointforecast/first_city_gap.h"
#include "pointforecast/missing_value_notes.h"

bool load_bulletin_file(const std::string& name, station_arrays& a, std::string& fault,
                        std::vector<std::string>& warnings) {
    // The file is read whole before it is called valid: a forecast is never made from
    // values the file did not hold.
    bulletin_layout layout;
    long long temp_pop_rows[bulletin_count * rows_per_bulletin];
    long long sky_wind_rows[bulletin_count * rows_per_bulletin];
    file_note note;
    if (!validate_bulletin_file(name.c_str(), layout, note) ||
        !read_temp_pop(a.eta_temp_pop, a.avn_temp_pop, a.mrf_temp_pop, name.c_str(), layout,
                       temp_pop_rows, note) ||
        !read_sky_wind(a.eta_sky_wind, a.avn_sky_wind, a.mrf_sky_wind, name.c_str(), layout,
                       sky_wind_rows, note)) {
        fault = note_lines(name, {note}).front();
        return false;
    }
    const std::string gap = first_city_gap(a);
    if (!gap.empty()) {
        fault = name + ": " + gap + ": no station has a value";
        return false;
    }
    std::vector<file_note> missing = missing_value_notes(a, layout, temp_pop_rows, sky_wind_rows);
    // Lines are counted only when there is something to say.
    warnings = missing.empty() ? std::vector<std::string>() : note_lines(name, missing);
    return true;
}
