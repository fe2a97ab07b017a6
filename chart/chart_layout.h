#pragma once

// Where the parts of a chart stand, in pixels, the same in both charts: the title line and
// the day labels above the panels, the panels stacked below them, the hour axis and the
// footnotes below the last panel.

inline constexpr int chart_width = 1100;
inline constexpr double plot_left = 70;    // room on the left for tick labels and units
inline constexpr double plot_right = 1070; // and a margin on the right

inline constexpr double title_baseline = 26;
inline constexpr double title_font_size = 17;
inline constexpr double day_label_baseline = 56;
inline constexpr double first_panel_top = 86;
// Between two panels: room for the lower one's title and legend.
inline constexpr double panel_gap = 26;
// A panel's title and legend stand this far above its top.
inline constexpr double panel_title_rise = 7;
// The first footnote's baseline below the last panel, under the hour axis and its title,
// and the lines' spacing.
inline constexpr double footnote_drop = 64;
inline constexpr double footnote_leading = 18;
