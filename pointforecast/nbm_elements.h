#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_values.h"
#include "pointforecast/periods.h"

#include <iosfwd>
#include <string>
#include <vector>

// The National Blend's own elements for the city, beside the blended forecast: amounts,
// precipitation type, gusts, thunder, wind chill and the NBM's spread. Only NBS bulletins
// give them, so they are the NBM's alone, by forecast hour and for the periods of days 1
// and 2 (and Today); the guidance blend has no amounts to weigh them against.

// The elements by forecast hour, each from one NBS row, and from another its spread.
enum nbm_element {
    nbm_max_min_temp,
    nbm_temp,
    nbm_dew_point,
    nbm_wind_speed,
    nbm_gust,
    nbm_precip,
    nbm_precip_12h,
    nbm_snowfall,
    nbm_freezing_rain_chance,
    nbm_snow_chance,
    nbm_sleet_chance,
    nbm_rain_chance,
    nbm_thunder_3h,
    nbm_thunder_6h,
    nbm_thunder_12h,
};
inline constexpr int nbm_element_count = 15;

// An element's unit in the bulletin, which the documents turn into theirs.
enum class nbm_unit { as_given, knots, hundredths, tenths };

// How the documents give an element: its key, the row of its values, the row of its
// spread (-1 where the NBM gives none) and the row's unit.
struct nbm_element_rule {
    const char* key;
    nbm_row row;
    int spread_row;
    nbm_unit unit;
};
inline constexpr nbm_element_rule nbm_elements[nbm_element_count] = {
    {"max_min_temp_f", nbm_txn_row, nbm_xnd_row, nbm_unit::as_given},
    {"temp_f", nbm_tmp_row, nbm_tsd_row, nbm_unit::as_given},
    {"dew_point_f", nbm_dpt_row, nbm_dsd_row, nbm_unit::as_given},
    {"wind_speed_mph", nbm_wsp_row, nbm_wsd_row, nbm_unit::knots},
    {"gust_mph", nbm_gst_row, nbm_gsd_row, nbm_unit::knots},
    {"precip_in", nbm_q06_row, -1, nbm_unit::hundredths},
    {"precip_12h_in", nbm_q12_row, -1, nbm_unit::hundredths},
    {"snow_in", nbm_s06_row, -1, nbm_unit::tenths},
    {"freezing_rain_pct", nbm_pzr_row, -1, nbm_unit::as_given},
    {"snow_pct", nbm_psn_row, -1, nbm_unit::as_given},
    {"sleet_pct", nbm_ppl_row, -1, nbm_unit::as_given},
    {"rain_pct", nbm_pra_row, -1, nbm_unit::as_given},
    {"thunder_3h_pct", nbm_t03_row, -1, nbm_unit::as_given},
    {"thunder_6h_pct", nbm_t06_row, -1, nbm_unit::as_given},
    {"thunder_12h_pct", nbm_t12_row, -1, nbm_unit::as_given},
};

// A value in the bulletin's unit as the documents give it: knots as mph, hundredths and
// tenths of an inch as inches. A spread converts alike, having no offset.
double nbm_document_value(nbm_unit unit, double value);

// One element's city value at one forecast hour, in the bulletin's unit: the stations'
// values under the station weights, a station without one left out and the rest scaled to
// the full weight as every city value is; its spread made the same way from the
// stations' spreads (NaN where none gives one); the lowest and highest station value; and
// how many stations gave one.
struct nbm_city_value {
    bool exists = false;
    double value = 0;
    double spread = 0;
    std::int32_t lowest = 0, highest = 0;
    int stations = 0;
};

// The kinds of precipitation, the more hazardous first, as the documents name them.
inline constexpr int precip_type_count = 4;
inline constexpr const char* precip_type_names[precip_type_count] = {"freezing rain", "snow",
                                                                     "sleet", "rain"};

// The NBM's elements of one period of the forecast, each absent (NaN, or -1 for the type)
// where it has none: the period's precipitation (inches, to hundredths) and snow (inches,
// to tenths); its highest gust (mph); the kind of precipitation (of precip_type_names)
// where the period's chance of precipitation is 15 % or more; the chance of thunder over
// the 12 hours ending at its end; its lowest wind chill (degrees F); and of its low or
// high the NBM's spread and the lowest and highest NBS station value.
struct nbm_period {
    bool given = false; // the period is Today, or of day 1 or 2, and some NBS is there
    double precip_in = 0, snow_in = 0;
    bool has_precip = false, has_snow = false;
    bool has_gust = false, has_thunder = false, has_wind_chill = false;
    long long gust_mph = 0, thunder_pct = 0, wind_chill_f = 0;
    int precip_type = -1;
    bool has_spread = false, has_range = false;
    long long spread = 0;
    double unrounded_spread = 0;
    std::int32_t station_lowest = 0, station_highest = 0;
};

// The NBM's elements of a run: by forecast hour (nbm_hour) and by period, the periods in
// the order of the forecast's.
struct nbm_forecast {
    bool given = false; // some of bulletins 1 to 4 is an NBS bulletin
    nbm_city_value hour[nbm_hour_count][nbm_element_count];
    std::vector<nbm_period> periods;
};

// Reads the NBM rows of bulletins 1 to 4 of the bulletin file in (named name), which
// layout describes, into bulletins; notes gets a line for each row that cannot be read,
// with the file's name and the line.
void read_nbm_bulletins(std::istream& in, const std::string& name, const bulletin_layout& layout,
                        nbm_bulletins& bulletins, std::vector<fault>& notes);

// The city's NBM elements from the NBS bulletins, for the periods of a run issued at
// issued (the bulletins' date and cycle).
nbm_forecast nbm_city_forecast(const nbm_bulletins& bulletins, const utc_time& issued,
                               const std::vector<forecast_period>& periods);

// The NWS wind chill (2001) of a temperature in degrees F and a wind in mph, unrounded;
// NaN where it is not defined: above 50 degrees F, or a wind of 3 mph or less.
double wind_chill(double temp_f, double wind_mph);

// Of the mean probabilities of freezing rain, snow, sleet and rain (NaN where absent), the
// index of the largest, ties going to the more hazardous; -1 where none is above 0.
int precip_type_of(const double (&means)[precip_type_count]);

// What every output says where no bulletin of 1 to 4 is an NBS one.
inline constexpr const char* nbm_absent_text =
    "No amounts, type, gusts, wind chill or spreads: only NBM bulletins give them.";
