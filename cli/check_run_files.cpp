#include "cli/cli_steps.h"
#include "cli/exit_codes.h"
#include "files/check_input_file.h"
#include "files/output_file_name.h"
#include "diagnostics/sentences.h"

int check_run_files(const std::string& input, const command_line& parsed, std::string& output,
                    std::string& chart) {
    std::string why;
    if (const char* sentence = check_input_file(input, why))
        return refuse(sentence, why, exit_refused);
    auto named = parsed.options.find("output");
    if (named != parsed.options.end()) {
        output = named->second;
    } else if (input.size() < 3) {
        return refuse(short_name_sentence,
                      input + ": the output name replaces the last three characters; name "
                              "the output with -o",
                      exit_refused);
    } else {
        output = output_file_name(input);
    }
    // Writing over the input would lose it: that output cannot be written.
    if (const char* sentence = check_output_name(input, output, why))
        return refuse(sentence, why, exit_not_written);
    auto charted = parsed.options.find("chart");
    if (charted == parsed.options.end()) return exit_done;
    chart = charted->second;
    if (const char* sentence = check_output_name(input, chart, why))
        return refuse(sentence, why, exit_not_written);
    // The chart must not take the place of the run's own output either.
    if (check_output_name(output, chart, why))
        return refuse("The output file " + chart + " could not be written.",
                      chart + " is the run's output " + output, exit_not_written);
    return exit_done;
}
