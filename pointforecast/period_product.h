#pragma once

#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/periods.h"

#include <string>
#include <vector>

// The period forecast as a text product a forecaster can issue: plain ASCII, no line
// longer than 80 characters. A header (the city; the time issued on the city's clock and
// in UTC; the guidance as its headers give it; the weight), the periods with their local
// start and end and their values in whole units, the evidence behind each temperature and
// probability of precipitation (every station's value of every guidance, each guidance's
// city value, the value issued), and the flags. With nbm, each period of days 1 and 2 also
// gives the NBM's amounts, precipitation type, gusts and wind chill and the spread of its
// temperature, or the header says once that the bulletins have none. A forecast of the
// short-range guidance alone, and one with absent bulletins, says so under the weight.
std::string period_product(const loaded_bulletins& loaded, double eta_weight,
                           const std::vector<forecast_period>& periods,
                           const nbm_forecast* nbm = nullptr);

// The guidance of a bulletin file as its headers give it, group by group, the NBM version
// word where there is one: "NBM V5.0 NBS 1200 UTC 12/09/2026, GFS MOS 1200 UTC, GFSX MOS
// 0000 UTC".
std::string guidance_line(const bulletin_layout& layout);

// The weight of each short-range guidance, named: "NBM 0.60, GFS MOS 0.40".
std::string weight_line(const bulletin_layout& layout, double eta_weight);

// A time on the city's clock as the product gives it: "6 PM Thu Mar 4".
std::string local_time_text(const utc_time& time);
