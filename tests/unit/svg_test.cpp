#include "chart/svg.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

TEST(SvgEscape, MarkupControlBytesAndUtf8) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a<b>&\"'c", "a&lt;b&gt;&amp;&quot;&apos;c"},
        {"&amp;", "&amp;amp;"}, // escaped text is still text
        {"\t\n\r\x01\x1f\x7f", "??????"},
        {std::string("a\0b", 3), "a?b"},
        // Valid UTF-8 of two, three and four bytes, up to the last code point, stays.
        {"\xC2\xB0\xE2\x82\xAC\xF0\x9D\x84\x9E\xED\x9F\xBF\xF4\x8F\xBF\xBF",
         "\xC2\xB0\xE2\x82\xAC\xF0\x9D\x84\x9E\xED\x9F\xBF\xF4\x8F\xBF\xBF"},
        // Each byte of a bad sequence becomes '?': lone continuations, sequences cut short
        // by the end or by a plain byte, bytes that never start one.
        {"\x80", "?"},
        {"ab\xFF"
         "cd",
         "ab?cd"},
        {"\xE2\x82", "??"},
        {"\xE2\x82x", "??x"},
        {"\xC3\xA9\xC3", "\xC3\xA9?"},
        // Overlong forms of '/', surrogates, and code points past U+10FFFF.
        {"\xC0\xAF", "??"},
        {"\xE0\x80\xAF", "???"},
        {"\xF0\x80\x80\xAF", "????"},
        {"\xED\xA0\x80", "???"},
        {"\xED\xBF\xBF", "???"},
        {"\xF4\x90\x80\x80", "????"},
        {"\xF5\x80\x80\x80", "????"},
    };
    for (const auto& c : cases) EXPECT_EQ(svg_escape(c.in), c.out) << c.in;
}

TEST(SvgNumber, TwoDecimalsAtMostAndClampedToWhatAChartCanDraw) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double in;
        const char* out;
    } cases[] = {
        {12.5, "12.5"},     {3, "3"},
        {100, "100"},       {-3.1, "-3.1"},
        {1.25, "1.25"},     {1.999, "2"},
        {0.004, "0"},       {-0.0, "0"},
        {-0.001, "0"},      {2e6, "1000000"},
        {inf, "1000000"},   {-1e300, "-1000000"},
        {-inf, "-1000000"}, {std::numeric_limits<double>::quiet_NaN(), "-1000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(svg_number(c.in), c.out) << c.in;
    EXPECT_EQ(svg_attr("x", 1e9), " x=\"1000000\"");
    EXPECT_EQ(svg_attr("id", std::string("a\"b")), " id=\"a&quot;b\"");
}
