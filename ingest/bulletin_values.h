#pragma once

#include "arith/stations.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"

#include <cstdint>
#include <iosfwd>
#include <vector>

// The values of the rows the readers take, one struct per kind of bulletin block, each
// member in the order the row gives them, and the two readers that take them. Every other
// file reads them by name, or by the row they come from.

// Values a short-range bulletin gives per row: 19 three-hourly columns from hour 6.
inline constexpr int short_columns = 19;
// Columns of the extended rows the readers take: days 3 to 7, and the 11 12-hourly
// columns from hour 72.
inline constexpr int extended_days = 5;
inline constexpr int extended_columns = 11;

// The rows the readers take from each bulletin, by what they hold: temperature (N/X, TXN
// or X/N), dew point (DPT), probability of precipitation (P12 or P24), cloud (CLD, or an
// NBS bulletin's SKY), wind direction (WDR; none in the extended range) and wind speed
// (WSP or WND).
enum bulletin_row { temp_row, dew_point_row, pop_row, cloud_row, direction_row, speed_row };
inline constexpr int bulletin_row_count = 6;

// A short-range bulletin's temperature, DPT and P12 rows: the four maxima and minima, the
// dew points at their times (the 7th, 11th, 15th and 19th), the four 12-hour
// probabilities. Element 2d and 2d + 1 belong to day d + 1, its night and its daytime.
// today holds each row's value at hour 12 (00 UTC), which closes the bulletin date's own
// daytime, by row (temp_row, dew_point_row, pop_row): the dew point there, and the
// maximum and 12-hour probability of that daytime, which only an NBS bulletin gives (a MOS
// bulletin's are its marker of no value, 999).
struct short_temp_pop {
    std::int32_t temp[4];
    std::int32_t dew_point[4];
    std::int32_t pop12[4];
    std::int32_t today[3];
};

// An extended bulletin's X/N, DPT and P24 rows for days 3 to 7: each day's pair of
// temperatures (minimum, maximum) and of dew points (12 and 00 UTC) as the rows give
// them, element 2t and 2t + 1 for day t + 3, and each day's 24-hour probability.
struct ext_temp_pop {
    std::int32_t temp[2 * extended_days];
    std::int32_t dew_point[2 * extended_days];
    std::int32_t pop24[extended_days];
};

// A short-range bulletin's cloud row (CLD as cloud codes, tenths covered; an NBS
// bulletin's SKY as percent), WDR (tens of degrees) and WSP (knots) rows.
struct short_sky_wind {
    std::int32_t cloud[short_columns];
    std::int32_t direction[short_columns];
    std::int32_t speed[short_columns];
};

// An extended bulletin's CLD and WND rows from hour 72 to 192.
struct ext_sky_wind {
    std::int32_t cloud[extended_columns];
    std::int32_t speed[extended_columns];
};

// Every value of one bulletin file, first index the station (KBKX, KHON, KMHE, KFSD): the
// first short-range model (ETA, NAM or NBM), the second (AVN or GFS) and the extended MRF
// (or GFSX) bulletins.
struct bulletin_values {
    short_temp_pop eta_temp_pop[station_count], avn_temp_pop[station_count];
    ext_temp_pop mrf_temp_pop[station_count];
    short_sky_wind eta_sky_wind[station_count], avn_sky_wind[station_count];
    ext_sky_wind mrf_sky_wind[station_count];
    // Whether the station's first short-range bulletin is a National Blend one (NBS): its
    // cloud row is then sky cover in percent, and its missing values are written its way.
    bool blend[station_count];
    // Bulletin k (0-11) absent: all its values are missing.
    bool absent[bulletin_count] = {};
    // The bulletins read: all twelve, or the eight of a short-range-only file, which has no
    // days 3 to 7 nor extended hours.
    std::int32_t count = bulletin_count;
};

// Whether station s has the values of bulletin group g (0-2) at all.
inline bool station_given(const bulletin_values& v, int g, int s) {
    const int k = g * station_count + s;
    return k < v.count && !v.absent[k];
}

// Whether the values hold the extended bulletins' days and hours.
inline bool has_extended(const bulletin_values& v) {
    return v.count == bulletin_count;
}

// The values a block holds of row, in the row's order; null where it holds none.
inline const std::int32_t* row_values(const short_temp_pop& b, bulletin_row row) {
    return row == temp_row        ? b.temp
           : row == dew_point_row ? b.dew_point
           : row == pop_row       ? b.pop12
                                  : nullptr;
}
inline const std::int32_t* row_values(const ext_temp_pop& b, bulletin_row row) {
    return row == temp_row        ? b.temp
           : row == dew_point_row ? b.dew_point
           : row == pop_row       ? b.pop24
                                  : nullptr;
}
inline const std::int32_t* row_values(const short_sky_wind& b, bulletin_row row) {
    return row == cloud_row       ? b.cloud
           : row == direction_row ? b.direction
           : row == speed_row     ? b.speed
                                  : nullptr;
}
inline const std::int32_t* row_values(const ext_sky_wind& b, bulletin_row row) {
    return row == cloud_row ? b.cloud : row == speed_row ? b.speed : nullptr;
}
template <class Block> std::int32_t* row_values(Block& b, bulletin_row row) {
    return const_cast<std::int32_t*>(row_values(static_cast<const Block&>(b), row));
}

// Where a block keeps the value of row at hour 12 (short_temp_pop's today); null where it
// keeps none.
inline const std::int32_t* today_value(const short_temp_pop& b, bulletin_row row) {
    return row <= pop_row ? &b.today[row] : nullptr;
}
inline std::int32_t* today_value(short_temp_pop& b, bulletin_row row) {
    return row <= pop_row ? &b.today[row] : nullptr;
}
inline std::int32_t* today_value(short_sky_wind&, bulletin_row) {
    return nullptr;
}

// What the bulletins write where they have no value. MOS bulletins: 999 in the
// temperature, dew point and precipitation rows, 99 in the wind rows; cloud words have no
// marker. The National Blend's text bulletins write -99 in every row, and NBM 3 wrote 999
// as well; no value of theirs reaches 999, since they print 998 for anything larger.
inline constexpr std::int32_t missing_temp_pop_value = 999;
inline constexpr std::int32_t missing_wind_value = 99;
inline constexpr std::int32_t missing_blend_value = -99;

// Whether value is the marker of no value in row, blend telling whether the bulletin is a
// National Blend one.
inline bool is_missing(std::int32_t value, bulletin_row row, bool blend) {
    if (blend) return value == missing_blend_value || value == missing_temp_pop_value;
    if (row == cloud_row) return false;
    const bool wind = row == direction_row || row == speed_row;
    return value == (wind ? missing_wind_value : missing_temp_pop_value);
}

// Where a reader found one row of a bulletin and how it counts the row's values.
struct row_place {
    long long label_at = -1;     // byte position of its label; -1 where it has no such row
    const char* label = nullptr; // the label found: "TXN", or NBM 3's "N/X"
    // Value j of the block's row is the row's value number first + step * j, counted from
    // the label as a forecaster counts them, the values the reader passes over included.
    int first = 0, step = 0;
};

// Where the readers found each row of the twelve bulletins.
struct bulletin_rows {
    row_place row[bulletin_count][bulletin_row_count];
};

// Fills the temperature, dew point and precipitation blocks of values (eta_temp_pop,
// avn_temp_pop, mrf_temp_pop) from the "N/X", "DPT", "P12" rows of bulletins 1-8 (an NBS
// bulletin's "TXN" or "N/X", "DPT", "P12") and the "X/N", "DPT", "P24" rows of bulletins
// 9-12 of the stream, where layout says they stand; marks in values.blend which of
// bulletins 1-4 are NBS, in values.absent and values.count what the file lacks, and
// notes in rows where it found those rows. Returns false when a label is missing from its
// bulletin, a value is no 32-bit integer, or the input ends early; why then says which
// and where.
bool read_temp_pop(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why);

// Fills the sky and wind blocks of values (eta_sky_wind, avn_sky_wind, mrf_sky_wind) from
// the "CLD", "WDR", "WSP" rows of bulletins 1-8 (an NBS bulletin's "SKY", "WDR", "WSP",
// read by their three-character columns) and the "CLD", "WND" rows of bulletins 9-12 of
// the stream, cloud words as codes; marks in values.blend which of bulletins 1-4 are NBS,
// in values.absent and values.count what the file lacks, and notes in rows where it
// found those rows. Returns false when a label is missing from its bulletin, a value is no
// 32-bit integer, a cloud word is unknown, or the input ends early; why then says which
// and where.
bool read_sky_wind(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why);

// The National Blend's own rows, which its short-range bulletins (NBS) give by forecast
// hour: the extreme temperature (TXN, NBM 3's N/X), the hourly temperature (TMP), dew
// point (DPT), wind speed (WSP, knots) and gust (GST, knots), each with the row of its
// spread in the same unit (XND, TSD, DSD, WSD, GSD); the precipitation amounts of the 6
// and 12 hours ending at the column (Q06, Q12, hundredths of an inch) and the snow of
// the 6 (S06, tenths of an inch); the probabilities of freezing rain, snow, sleet and
// rain should precipitation fall (PZR, PSN, PPL, PRA) and of thunder over 3, 6 and 12
// hours (T03, T06, T12), percent.
enum nbm_row {
    nbm_txn_row,
    nbm_xnd_row,
    nbm_tmp_row,
    nbm_tsd_row,
    nbm_dpt_row,
    nbm_dsd_row,
    nbm_wsp_row,
    nbm_wsd_row,
    nbm_gst_row,
    nbm_gsd_row,
    nbm_q06_row,
    nbm_q12_row,
    nbm_s06_row,
    nbm_pzr_row,
    nbm_psn_row,
    nbm_ppl_row,
    nbm_pra_row,
    nbm_t03_row,
    nbm_t06_row,
    nbm_t12_row,
};
inline constexpr int nbm_row_count = 20;

// The forecast hours of an NBS bulletin of 1200 UTC, 6 to 72 every 3 hours: column i
// stands under hour nbm_hour(i). A 6- or 12-hourly row gives a value only under the hours
// its periods end at.
inline constexpr int nbm_hour_count = 23;
inline constexpr int nbm_hour(int i) {
    return 6 + 3 * i;
}

// One NBS bulletin's rows by forecast hour: value[r][i] is row r's value at nbm_hour(i)
// where present[r][i] says that one stands there and is no marker of no value. A row the
// bulletin lacks, as NBM leaves out a row that has no value at all, or one that cannot be
// read, has none.
struct nbm_rows {
    std::int32_t value[nbm_row_count][nbm_hour_count];
    bool present[nbm_row_count][nbm_hour_count];
};

// The NBM rows of the first short-range bulletins, by station: given says which of them
// are NBS bulletins (a NAM or ETA bulletin has none of these rows).
struct nbm_bulletins {
    bool given[station_count];
    nbm_rows station[station_count];
};

// Reads the NBM rows of bulletins 1-4 of the stream where layout says they stand: from an
// NBS bulletin's FHR row to the first line that is no row of it, each value under the
// hour the FHR row gives at its column. Never refuses the file: a row a bulletin lacks
// has no values, and a row that cannot be read (a word that is no whole numbers in
// columns, a value under no hour, a line cut short) has none either, with a note in notes
// (a byte position, no file name) naming the bulletin and the row.
void read_nbm_rows(std::istream& in, const bulletin_layout& layout, nbm_bulletins& nbm,
                   std::vector<fault>& notes);
