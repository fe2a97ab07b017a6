#include "files/check_run_outputs.h"

#include "files/same_file.h"

bool check_run_outputs(const std::string& input, const std::vector<std::string>& outputs,
                       fault& why) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        // Writing over the input would lose it.
        if (same_file(input, outputs[i])) {
            why = fault{fault_kind::output_is_input, "is the input file itself", outputs[i], 0, -1};
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (!same_file(outputs[j], outputs[i])) continue;
            why = fault{fault_kind::same_output, "is the run's output " + outputs[j], outputs[i], 0,
                        -1};
            return false;
        }
    }
    return true;
}
