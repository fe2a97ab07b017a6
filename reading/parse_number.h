#pragma once

#include <string>

// Whether word, whole, is a number in the standard form: an optional sign, digits with an
// optional point and fraction, an optional exponent, and nothing else. "inf", "nan" and
// hexadecimal are no numbers, nor is a value beyond the range of a double.
bool parse_number(const std::string& word, double& value);
