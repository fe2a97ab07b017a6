#include "arith/unit_conversions.h"

// Hectopascals in one inch of mercury.
static const double hpa_per_inhg = 33.86388158;
// Millimetres in one inch.
static const double mm_per_inch = 25.4;
// Statute miles per hour in one knot.
static const double mph_per_knot = 1.15077945;

double hpa_to_inhg(double hpa) {
    return hpa / hpa_per_inhg;
}

double celsius_to_fahrenheit(double celsius) {
    return (celsius * 1.8) + 32;
}

double mm_to_inches(double mm) {
    return mm / mm_per_inch;
}

double knots_to_mph(double knots) {
    return knots * mph_per_knot;
}
