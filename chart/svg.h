#pragma once

#include <iosfwd>
#include <string>

// The few pieces of SVG text that every chart writes. Numbers never go through a stream's
// locale, so a chart reads the same wherever it is made.

// A coordinate or value with at most two decimals and no trailing zeros ("12.5", "-3",
// "0"). A value beyond the range a chart can draw is clamped to +-1e6.
std::string svg_number(double value);

// value as the printf format (of one double) writes it, for the numbers a chart's text
// gives: "%g" of a weight, "%02.0f" of an hour.
std::string number_text(const char* format, double value);

// Text made safe for XML content and attribute values: the five markup characters are
// escaped, and control characters and bytes that are no valid UTF-8 become '?'.
std::string svg_escape(const std::string& text);

// One attribute with its leading blank: ` name="value"`, the number as svg_number writes
// it and the text escaped.
std::string svg_attr(const char* name, double value);
std::string svg_attr(const char* name, const std::string& value);

// An open <g> element that writes its "</g>" when it goes out of scope, so that every way
// through a writer closes what it opened, and in the order it opened them. Moving hands
// the close on; the moved-from group closes nothing.
struct [[nodiscard]] svg_group {
    std::ostream* out;
    explicit svg_group(std::ostream& stream) : out(&stream) {}
    svg_group(svg_group&& other) noexcept : out(other.out) { other.out = nullptr; }
    svg_group(const svg_group&) = delete;
    svg_group& operator=(const svg_group&) = delete;
    svg_group& operator=(svg_group&&) = delete;
    ~svg_group();
};

// Writes "<g" and attributes (each with its leading blank, as svg_attr makes them) and
// returns the group that closes it.
svg_group open_group(std::ostream& out, const std::string& attributes);

// Starts a standalone document of width by height pixels (its viewBox the same) on a white
// background, with title as its <title>; end_svg closes it.
void begin_svg(std::ostream& out, int width, int height, const std::string& title);
void end_svg(std::ostream& out);
