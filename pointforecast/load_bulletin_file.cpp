#include "pointforecast/load_bulletin_file.h"

#include "calendar/bulletin_date.h"
#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"
#include "pointforecast/first_city_gap.h"
#include "pointforecast/missing_value_notes.h"
#include "reading/places.h"

#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>

// The date and cycle of the first header as a time, when both are real.
static bool issued_time(const bulletin_header& first, utc_time& issued) {
    utc_time date{0, 0, 0, 0};
    const int hour = cycle_hour(first.cycle);
    if (hour < 0 || !parse_bulletin_date(first.date_word, date)) return false;
    date.hour = hour;
    issued = date;
    return true;
}

static bool read_bulletins(std::istream& in, const std::string& name, loaded_bulletins& loaded,
                           fault& why) {
    bulletin_rows temp_pop_rows, sky_wind_rows;
    if (!validate_bulletin_file(in, loaded.layout, why) ||
        !read_temp_pop(in, loaded.layout, loaded.values, temp_pop_rows, why) ||
        !read_sky_wind(in, loaded.layout, loaded.values, sky_wind_rows, why)) {
        why.file = name;
        place_line(in, why);
        return false;
    }
    const std::string gap = first_city_gap(loaded.values);
    if (!gap.empty()) {
        why = fault{fault_kind::invalid_bulletins, gap + ": no station has a value", name, 0, -1};
        return false;
    }
    loaded.dated = issued_time(loaded.layout.header[0], loaded.issued);
    loaded.warnings =
        missing_value_notes(loaded.values, loaded.layout, temp_pop_rows, sky_wind_rows);
    for (fault& w : loaded.warnings) w.file = name;
    // Lines are counted only when there is something to say.
    if (!loaded.warnings.empty()) place_lines(in, loaded.warnings);
    return true;
}

bool load_bulletin_file(std::istream& in, const std::string& name, loaded_bulletins& loaded,
                        fault& why) {
    // A damaged disk makes the stream buffer throw, since the readers take characters from
    // it directly; that is a file that cannot be read, like any other.
    try {
        return read_bulletins(in, name, loaded, why);
    } catch (const std::ios_base::failure&) {
        why = fault{fault_kind::missing_file, std::strerror(EIO), name, 0, -1};
        return false;
    }
}
