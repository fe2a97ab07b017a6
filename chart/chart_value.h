#pragma once

#include "pointforecast/city_forecast.h"

// One value of a chart and how it was made: a value made from fewer stations than usual
// (missing markers) is drawn hollow; a value missing altogether is NaN: it gets no mark and
// leaves a gap in its line.
using chart_value = city_value;
