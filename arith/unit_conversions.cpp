#include "arith/unit_conversions.h"

// Hectopascals in one inch of mercury.
static const double hpa_per_inhg = 33.86388158;
// Millimetres in one inch.
static const double mm_per_inch = 25.4;
// Fahrenheit degrees in one Celsius degree, and the Fahrenheit temperature of 0 C.
static const double fahrenheit_per_celsius = 1.8;
static const double fahrenheit_at_zero_celsius = 32;
// Statute miles per hour in one knot.
static const double mph_per_knot = 1.15077945;

double hpa_to_inhg(double hpa) {
    return hpa / hpa_per_inhg;
}

double celsius_to_fahrenheit(double celsius) {
    return (celsius * fahrenheit_per_celsius) + fahrenheit_at_zero_celsius;
}

double celsius_difference_to_fahrenheit(double celsius) {
    return celsius * fahrenheit_per_celsius;
}

double mm_to_inches(double mm) {
    return mm / mm_per_inch;
}

double knots_to_mph(double knots) {
    return knots * mph_per_knot;
}
