#pragma once

#include "arith/shared_types.h"
#include "chart/forecast_chart_input.h"

#include <cstdint>

// Fills the days and hours of input from the gathered day values and the sky and wind
// arrays (eta_sky_wind, avn_sky_wind [4][57], mrf_sky_wind [4][22]) exactly as the day
// table and the cloud and wind table compute them, and sets input's ETA weight. No value
// is flagged or missing; an hour is calm when its blended speed is 0. Leaves the file
// name and date to the caller.
void gather_forecast_chart_input(const model_pair* day_pairs, const station_set* ext_day_sets,
                                 const std::int32_t* eta_sky_wind, const std::int32_t* avn_sky_wind,
                                 const std::int32_t* mrf_sky_wind, double eta_weight,
                                 double avn_ratio, forecast_chart_input& input);
