#include "export/forecast_export.h"
#include "fuzz/fuzz_stream.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/nbm_elements.h"
#include "pointforecast/period_product.h"

#include <cstdlib>
#include <sstream>

// The bytes are a bulletin file; a valid one gets its periods, the NBM's elements, product
// and documents. The product must be ASCII lines of at most 80 characters, whatever the
// headers and rows hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    loaded_bulletins loaded;
    fault why;
    if (!load_bulletin_file(in, "in.txt", loaded, why) || !loaded.dated) return 0;
    city_forecast forecast;
    if (!compute_city_forecast(loaded.values, 0.7, forecast, why)) return 0;
    const std::vector<forecast_period> periods = forecast_periods(loaded, forecast, flag_limits{});
    nbm_bulletins bulletins{};
    std::vector<fault> notes;
    read_nbm_bulletins(in, "in.txt", loaded.layout, bulletins, notes);
    const nbm_forecast nbm = nbm_city_forecast(bulletins, loaded.issued, periods);
    std::istringstream product(period_product(loaded, 0.7, periods, &nbm));
    for (std::string line; std::getline(product, line);) {
        if (line.size() > 80 && line.find(' ', 4) != std::string::npos) std::abort();
        for (char c : line)
            if (c < ' ' || c > '~') std::abort();
    }
    forecast_export_input documents{"fuzz", "in.txt", 0.7, &loaded, &forecast, {}, &periods};
    documents.nbm = &nbm;
    if (forecast_json(documents).empty() || forecast_csv(documents).empty()) std::abort();
    return 0;
}
