#pragma once

// The one palette of the charts. The series take the Okabe-Ito colours, which readers of
// every common kind of colour vision tell apart, and each series also differs by dash or
// marker so that a greyscale print still reads; the sky and the axes are greys.

// The Okabe-Ito set.
inline constexpr const char* vermillion = "#D55E00";
inline constexpr const char* bluish_green = "#009E73";
inline constexpr const char* blue = "#0072B2";
inline constexpr const char* sky_blue = "#56B4E9";
inline constexpr const char* orange = "#E69F00";
inline constexpr const char* reddish_purple = "#CC79A7";

// What each colour stands for, the same in every chart.
inline constexpr const char* temperature_colour = vermillion;
inline constexpr const char* freezing_colour = blue;              // the 32 °F line
inline constexpr const char* temperature_band_colour = "#f6cdb0"; // vermillion, pale
inline constexpr const char* upper_air_colour = blue;             // the 850 hPa temperature
inline constexpr const char* dew_point_colour = bluish_green;
inline constexpr const char* humidity_colour = bluish_green;
inline constexpr const char* precipitation_colour = blue;           // amounts, and 12-hour chances
inline constexpr const char* daily_precipitation_colour = sky_blue; // 24-hour chances
inline constexpr const char* pressure_colour = reddish_purple;
inline constexpr const char* snow_colour = sky_blue; // snow amounts beside water amounts
inline constexpr const char* wind_colour = orange;   // and gusts, dashed
inline constexpr const char* cloud_colour = "#c4c4c4";
inline constexpr const char* cloud_line_colour = "#6e6e6e";
// The 1200 chart's rings around flagged values.
inline constexpr const char* flag_colour = reddish_purple;
// The verification chart's errors: the blend as issued in the forecasts' own colour, each
// guidance alone, and the blend at the fitted weight.
inline constexpr const char* issued_blend_colour = temperature_colour;
inline constexpr const char* first_guidance_colour = blue;
inline constexpr const char* second_guidance_colour = bluish_green;
inline constexpr const char* fitted_blend_colour = reddish_purple;

// The dash of a second series in a panel (stroke-dasharray).
inline constexpr const char* dashed = "7 4";
// A third and a fourth, where a panel has that many series.
inline constexpr const char* dotted = "2 3";
inline constexpr const char* dash_dotted = "9 3 2 3";

// Paper, axes and text.
inline constexpr const char* paper_colour = "#fff";
inline constexpr const char* grid_colour = "#e4e4e4";
inline constexpr const char* day_line_colour = "#bdbdbd";
inline constexpr const char* frame_colour = "#8c8c8c";
inline constexpr const char* tick_colour = "#555";
inline constexpr const char* quiet_text_colour = "#555"; // asides within the chart
inline constexpr const char* footnote_colour = "#444";
inline constexpr const char* arrow_colour = "#333";
