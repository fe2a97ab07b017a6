#pragma once

#include "chart/forecast_chart_input.h"
#include "pointforecast/city_forecast.h"

// Takes the values of a 1200 chart from the city forecast the report is written from, so
// that the chart shows exactly the report's numbers. An hour is calm when its wind speed
// is 0. Sets the days and hours of input and its ETA weight; its file name and date are
// the caller's.
void gather_forecast_chart_input(const city_forecast& forecast, double eta_weight,
                                 forecast_chart_input& input);
