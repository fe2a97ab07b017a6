#include "chart/chart_drawing.h"

void stack_panels(double top, double gap, const panel_size* sizes, int count, panel_box* boxes) {
    for (int i = 0; i < count; ++i) {
        double plot_top = top + sizes[i].strip, bottom = plot_top + sizes[i].plot;
        boxes[i] = panel_box{top, plot_top, bottom, value_scale{0, 1, 1, 0}};
        top = bottom + gap;
    }
}
