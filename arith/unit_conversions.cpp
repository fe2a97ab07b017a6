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

// Pascals in one hectopascal, and metres in one decametre.
static const double pascals_per_hpa = 100;
static const double metres_per_decametre = 10;
// The Kelvin temperature of 0 C.
static const double kelvin_at_zero_celsius = 273.15;
// Seconds in one hour, and metres in one nautical mile: a knot is one nautical mile an hour.
static const double seconds_per_hour = 3600;
static const double metres_per_nautical_mile = 1852;
// Degrees in half a turn, and half a turn in radians.
static const double degrees_per_half_turn = 180;
static const double pi = 3.14159265358979323846;

double pascals_to_hpa(double pascals) {
    return pascals / pascals_per_hpa;
}

double kelvin_to_celsius(double kelvin) {
    return kelvin - kelvin_at_zero_celsius;
}

double metres_to_decametres(double metres) {
    return metres / metres_per_decametre;
}

double metres_per_second_to_knots(double metres_per_second) {
    return metres_per_second * seconds_per_hour / metres_per_nautical_mile;
}

double radians_to_degrees(double radians) {
    return radians * degrees_per_half_turn / pi;
}
