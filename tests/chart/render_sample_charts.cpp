// Test helper: writes the 1200 chart of a bulletin file and the GFS chart of a GFS model
// file with the library's readers, as the command line will, for the browser check.
// Usage: render_sample_charts BULLETINS ETA_WEIGHT GFS_FILE FORECAST_SVG GFS_SVG

#include "chart/find_gfs_run_time.h"
#include "chart/gather_forecast_chart_input.h"
#include "chart/read_bulletin_date.h"
#include "chart/write_forecast_chart.h"
#include "chart/write_gfs_chart.h"
#include "gfs/check_gfs_header.h"
#include "gfs/convert_gfs_rows.h"
#include "gfs/read_gfs_rows.h"
#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"
#include "pointforecast/gather_day_values.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

static bool render_forecast(const char* file, double eta_weight, const char* svg) {
    bulletin_layout layout;
    std::int32_t eta_temp_pop[4 * 12], avn_temp_pop[4 * 12], mrf_temp_pop[4 * 25];
    std::int32_t eta_sky_wind[4 * 57], avn_sky_wind[4 * 57], mrf_sky_wind[4 * 22];
    static forecast_chart_input input;
    if (!validate_bulletin_file(file, layout) ||
        !read_temp_pop(eta_temp_pop, avn_temp_pop, mrf_temp_pop, file, layout) ||
        !read_sky_wind(eta_sky_wind, avn_sky_wind, mrf_sky_wind, file, layout) ||
        !read_bulletin_date(file, layout, input.issued))
        return false;
    model_pair day_pairs[12];
    station_set ext_day_sets[25];
    gather_day_values(eta_temp_pop, avn_temp_pop, mrf_temp_pop, day_pairs, ext_day_sets);
    gather_forecast_chart_input(day_pairs, ext_day_sets, eta_sky_wind, avn_sky_wind, mrf_sky_wind,
                                eta_weight, 1.0 - eta_weight, input);
    input.file_name = std::filesystem::path(file).filename().string();
    std::ofstream out(svg, std::ios::binary);
    write_forecast_chart(out, input);
    return static_cast<bool>(out.flush());
}

static bool render_gfs(const char* file, const char* svg) {
    gfs_row rows[gfs_row_count];
    double adj[gfs_row_count], plus[gfs_row_count], minus[gfs_row_count];
    if (!check_gfs_header(file) || !read_gfs_rows(rows, file)) return false;
    convert_gfs_rows(rows, adj, plus, minus);
    gfs_chart_input input{
        std::filesystem::path(file).filename().string(), false, {}, rows, plus, minus};
    input.run_known = find_gfs_run_time(file, input.run_time);
    std::ofstream out(svg, std::ios::binary);
    write_gfs_chart(out, input);
    return static_cast<bool>(out.flush());
}

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: render_sample_charts BULLETINS ETA_WEIGHT GFS_FILE FORECAST_SVG "
                     "GFS_SVG\n";
        return 2;
    }
    if (!render_forecast(argv[1], std::strtod(argv[2], nullptr), argv[4])) {
        std::cerr << "render_sample_charts: cannot chart " << argv[1] << '\n';
        return 1;
    }
    if (!render_gfs(argv[3], argv[5])) {
        std::cerr << "render_sample_charts: cannot chart " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
