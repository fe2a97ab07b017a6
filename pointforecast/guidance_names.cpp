#include "pointforecast/guidance_names.h"

// The distinct model words of group g's headers, in station order, joined by "/".
static std::string group_models(const bulletin_layout& layout, int g) {
    std::string names;
    for (int s = 0; s < station_count; ++s) {
        const std::string& model = layout.header[g * station_count + s].model;
        if (("/" + names + "/").find("/" + model + "/") != std::string::npos) continue;
        names += (names.empty() ? "" : "/") + model;
    }
    return names;
}

void guidance_names(const bulletin_layout& layout, std::string& short_models,
                    std::string& extended_model) {
    if (group_models(layout, 0) == "ETA") {
        short_models = "ETA and AVN";
        extended_model = "MRF";
        return;
    }
    short_models = group_models(layout, 0) + " and " + group_models(layout, 1);
    extended_model = group_models(layout, 2);
}
