#include "fuzz/fuzz_stream.h"
#include "verify/observation_files.h"
#include "verify/verify_report.h"

#include <sstream>

// A file given to verify, read as what its content says it is and by the other readers
// too, then scored against itself: nothing it holds may crash a reader or the scores.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    recognise_verify_input(in);
    observations observed;
    warning_list warnings;
    fault why;
    read_mesonet_csv(in, "obs.csv", observed, warnings, why);
    in = fuzz_stream(data, size);
    read_cf6_products(in, "cf6.txt", "KFSD", observed, warnings, why);
    in = fuzz_stream(data, size);
    read_metar_cycle(in, "metar.txt", observed, warnings, why);
    in = fuzz_stream(data, size);
    std::vector<forecast_document> documents(1);
    if (!read_forecast_document(in, "f.json", documents[0], why)) documents.clear();
    observed_table table;
    observe_windows(observed, 1LL << 40, table, warnings);
    verification result;
    verify_options options;
    options.by_day = true;
    verify_forecasts(documents, table, options, result);
    if (result.forecasts > 0) {
        std::ostringstream out;
        write_verify_table(out, result);
        verify_json(result, "fuzz");
        pairs_csv(result);
        verif_text(result, verif_forecast::first);
    }
    return 0;
}
