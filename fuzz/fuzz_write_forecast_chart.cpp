#include "chart/forecast_chart.h"
#include "fuzz/fuzz_bytes.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

// The bytes: flags (raw date, raw values), the bulletin date and cycle, the ETA weight, a
// file name's length and text, then the city forecast, each value with whether it rests on
// fewer stations.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_bytes bytes{data, size, 0};
    const std::uint8_t flags = take<std::uint8_t>(bytes);
    const bool raw_date = flags & 1, raw_values = flags & 2;
    utc_time issued = take_time(bytes);
    // Mostly a real date, so that the chart is drawn; sometimes anything.
    if (!raw_date)
        issued = utc_time{1 + std::abs(issued.year % 9999), 1 + std::abs(issued.month % 12),
                          1 + std::abs(issued.day % 28), std::abs(issued.hour % 24)};
    const double eta_weight = take<double>(bytes);
    const std::string file_name = take_text(bytes, take<std::uint8_t>(bytes) % 32);
    city_forecast forecast;
    auto fill = [&](city_value& v) {
        v.value = take_value(bytes, raw_values);
        v.fewer_stations = take<std::uint8_t>(bytes) & 1;
    };
    for (auto& day : forecast.day)
        for (city_value& v : day) fill(v);
    for (city_value& v : forecast.cloud) fill(v);
    for (city_value& v : forecast.direction) fill(v);
    for (city_value& v : forecast.speed) fill(v);

    forecast_chart_input input;
    input.file_name = file_name;
    input.issued = issued;
    gather_forecast_chart_input(forecast, eta_weight, input);
    std::ostringstream out;
    fault why;
    if (!write_forecast_chart(out, input, why)) {
        if (!out.str().empty() || why.what.empty() ||
            (is_real_time(issued) && std::isfinite(eta_weight)))
            std::abort();
        return 0;
    }
    if (!chart_is_sound(out.str(), file_name)) std::abort();
    return 0;
}
