#include "pointforecast/city_forecast.h"

std::string day_value_name(int d, int c) {
    return "day " + std::to_string(d + 1) + " " + day_column_captions[c];
}

std::string sky_wind_value_name(int r, const char* column) {
    return "hour " + std::to_string(sky_wind_hour(r)) + " " + column;
}
