#pragma once

#include "calendar/utc_time.h"
#include "chart/chart_marks.h"
#include "diagnostics/fault.h"
#include "pointforecast/city_forecast.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/periods.h"

#include <iosfwd>
#include <string>
#include <vector>

// One row of the day table. Day d is the bulletin date plus d days: its low belongs to the
// night (00 to 12 UTC), its high to the daytime (12 to 24 UTC), its dew points are those
// of 12 UTC and of 00 UTC at its end.
struct forecast_chart_day {
    chart_value low_temp, high_temp;           // degrees F
    chart_value low_dew_point, high_dew_point; // degrees F
    // Probability of precipitation, percent. Days 1 and 2: the 12 hours ending at 12 UTC
    // (low) and at 24 UTC (high). Days 3 to 7: high holds the 24 hours of the day and low
    // is not shown.
    chart_value low_pop, high_pop;
};

// One row of the cloud and wind table.
struct forecast_chart_hour {
    // As the report gives it: hours after the bulletins' cycle for the short-range rows,
    // after 0000 UTC of the same date (the extended guidance's cycle) for the others.
    int hour;
    chart_value cloud;      // covered fraction of the sky, 0 to 1
    chart_value wind_speed; // miles per hour
    chart_value wind_dir;   // tens of degrees it blows from (36 = north); NaN when not given
    bool calm;
};

// Everything a 1200 chart shows. The caller reads the date; the chart reads no file.
struct forecast_chart_input {
    std::string file_name; // the bulletin file, as the user named it
    utc_time issued;       // the bulletins' date and cycle (hour 12), from their header
    double eta_weight;
    forecast_chart_day days[forecast_days];
    forecast_chart_hour hours[sky_wind_rows];
    // The guidance as its headers name it: the blended short-range pair of 1200 UTC, the
    // extended model of 0000 UTC.
    std::string short_models = "ETA and AVN", extended_model = "MRF";
    // The forecast's periods in the city's local time: named under the days, their flagged
    // values ringed. Null or empty for none.
    const std::vector<forecast_period>* periods = nullptr;
    // The NBM's own elements, where an NBS bulletin gives them: the spread of days 1 and
    // 2's lows and highs as a band (with the periods), the 6-hour amounts in a panel of
    // their own and the gusts beside the wind. Null or without an NBS for none.
    const nbm_forecast* nbm = nullptr;
    // False for the short-range guidance alone: the axis ends with day 2, and the footnote
    // says that days 3 to 7 are left out.
    bool extended = true;
};

// Takes the values of a 1200 chart from the city forecast the report is written from, so
// that the chart shows exactly the report's numbers. An hour is calm when its wind speed
// is 0. Sets the days and hours of input, its ETA weight and whether it has the extended
// range; its file name and date are the caller's.
void gather_forecast_chart_input(const city_forecast& forecast, double eta_weight,
                                 forecast_chart_input& input);

// Writes the meteogram of a 1200 run as one self-contained SVG document of 1100 by 700
// pixels: daily low and high temperature and dew point, precipitation probabilities as
// bars, cloud cover, and wind speed with direction arrows, against one dated UTC time axis;
// with the NBM's elements also a panel of 6-hour amounts below the probabilities, 786
// pixels high.
// Values resting on fewer stations are drawn hollow; missing ones leave gaps. With the
// periods, each is named under the days ("Tonight", "Fri", "Fri Night"), the footnote gives
// their local hours and a flagged low, high, dew point or probability is ringed. Returns
// false, having written nothing, with why when the bulletins' date and cycle are no real
// time (fault_kind::invalid_bulletins) or the ETA weight is not finite (bad_weight). The
// stream's own errors are the caller's.
bool write_forecast_chart(std::ostream& out, const forecast_chart_input& input, fault& why);
