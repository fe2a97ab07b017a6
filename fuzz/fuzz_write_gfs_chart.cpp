#include "chart/gfs_chart.h"
#include "fuzz/fuzz_bytes.h"

#include <cstdlib>
#include <sstream>

// The bytes: flags (run time known, raw hours, raw values), the run time, a file name's
// length and text, then the 48 table rows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_bytes bytes{data, size, 0};
    const std::uint8_t flags = take<std::uint8_t>(bytes);
    const bool raw_hours = flags & 2, raw_values = flags & 4;
    utc_time run = take_time(bytes);
    const std::string file_name = take_text(bytes, take<std::uint8_t>(bytes) % 32);
    gfs_table_row rows[gfs_row_count];
    for (int i = 0; i < gfs_row_count; ++i) {
        gfs_table_row& r = rows[i];
        // Hours near the usual ones, or anything an int holds.
        r.hour = raw_hours ? take<std::int32_t>(bytes) : 6 * (i + 1) + take<std::int8_t>(bytes);
        for (double* v : {&r.mslp_inhg, &r.t2m_f, &r.t850_f, &r.t700_f, &r.t500_f, &r.thickness_dm,
                          &r.rh_pct, &r.precip_in, &r.cloud_pct, &r.wind_dir_deg, &r.wind_speed_mph,
                          &r.adjustment_f, &r.t2m_raised_f, &r.t2m_lowered_f})
            *v = take_value(bytes, raw_values);
    }
    std::ostringstream out;
    fault why;
    if (!write_gfs_chart(out, gfs_chart_input{file_name, (flags & 1) != 0, run, rows}, why)) {
        if (!out.str().empty() || why.what.empty()) std::abort();
        return 0;
    }
    if (!chart_is_sound(out.str(), file_name)) std::abort();
    return 0;
}
