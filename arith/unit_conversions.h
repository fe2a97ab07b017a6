#pragma once

// Unit conversions of one value each. The constants carry every digit the
// forecasts were made with; the divisions divide rather than multiply by a reciprocal,
// so that every printed digit stays the same.
double hpa_to_inhg(double hpa);
double celsius_to_fahrenheit(double celsius);
double mm_to_inches(double mm);
// A difference of temperatures: it scales, but takes no offset.
double celsius_difference_to_fahrenheit(double celsius);
double knots_to_mph(double knots);
