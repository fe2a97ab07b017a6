#pragma once

// Unit conversions of one value each. The constants carry every digit the
// forecasts were made with; the divisions divide rather than multiply by a reciprocal,
// and each conversion keeps the order of its operations, so that every printed digit
// stays the same.
double hpa_to_inhg(double hpa);
double celsius_to_fahrenheit(double celsius);
double mm_to_inches(double mm);
// A difference of temperatures: it scales, but takes no offset.
double celsius_difference_to_fahrenheit(double celsius);
double knots_to_mph(double knots);

// The model's own units, as its GRIB2 fields carry them, to the model file's.
double pascals_to_hpa(double pascals);
double kelvin_to_celsius(double kelvin);
double metres_to_decametres(double metres);
double metres_per_second_to_knots(double metres_per_second);
double radians_to_degrees(double radians);
