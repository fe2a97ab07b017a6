#include "fuzz/fuzz_stream.h"
#include "verify/observation_files.h"
#include "verify/verify_report.h"

#include <sstream>

// A file given to verify, read as what its content says it is and by the other readers
// too, then scored against itself: nothing it holds may crash a reader or the scores.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in = fuzz_stream(data, size);
    recognise_verify_input(in);
    observed_days observed;
    warning_list warnings;
    fault why;
    read_mesonet_csv(in, "obs.csv", observed, warnings, why);
    in = fuzz_stream(data, size);
    read_cf6_products(in, "cf6.txt", "KFSD", observed, warnings, why);
    in = fuzz_stream(data, size);
    std::vector<forecast_document> documents(1);
    if (!read_forecast_document(in, "f.json", documents[0], why)) documents.clear();
    verification result;
    verify_forecasts(documents, observed, result);
    if (result.forecasts > 0) {
        std::ostringstream table;
        write_verify_table(table, result);
        verify_json(result, "fuzz");
    }
    return 0;
}
