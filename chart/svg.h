#pragma once

#include <iosfwd>
#include <string>

// The few pieces of SVG text that every chart writes. Numbers never go through a stream's
// locale, so a chart reads the same wherever it is made.

// A coordinate or value with at most two decimals and no trailing zeros ("12.5", "-3",
// "0"). A value beyond the range a chart can draw is clamped to +-1e6.
std::string svg_number(double value);

// Text made safe for XML content and attribute values: the five markup characters are
// escaped, and control characters and bytes that are no valid UTF-8 become '?'.
std::string svg_escape(const std::string& text);

// One attribute with its leading blank: ` name="value"`, the number as svg_number writes
// it and the text escaped.
std::string svg_attr(const char* name, double value);
std::string svg_attr(const char* name, const std::string& value);

// Starts a standalone document of width by height pixels (its viewBox the same) on a white
// background, with title as its <title>; end_svg closes it.
void begin_svg(std::ostream& out, int width, int height, const std::string& title);
void end_svg(std::ostream& out);
