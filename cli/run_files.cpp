#include "cli/run_files.h"

#include "calendar/iso_date.h"
#include "diagnostics/sentences.h"
#include "files/input_file.h"
#include "files/output_names.h"
#include "files/output_writer.h"
#include "reading/places.h"

#include <cstdlib>
#include <ctime>

const char* const program_version = "vuzazav-cli " VUZAZAV_VERSION;

int refuse(const diagnostics& to, const fault& why) {
    const std::string sentence = refusal_sentence(why);
    if (!sentence.empty()) diagnose(to, sentence);
    diagnose(to, fault_line(why));
    return exit_status_of(why.kind);
}

int open_run_files(const diagnostics& to, const command_line& parsed, std::ifstream& input,
                   std::vector<std::string>& outputs, const std::vector<const char*>& more) {
    const std::string& name = parsed.operands[0];
    fault why;
    if (!open_input_file(name, input, why)) return refuse(to, why);
    outputs.assign(1, "");
    auto named = parsed.options.find("output");
    if (named != parsed.options.end()) {
        outputs[0] = named->second;
    } else if (!output_file_name(name, outputs[0], why)) {
        why.what += "; name the output with -o";
        return refuse(to, why);
    }
    std::vector<std::string> written{outputs[0]};
    for (const char* option : more) {
        auto given = parsed.options.find(option);
        outputs.push_back(given != parsed.options.end() ? given->second : "");
        if (!outputs.back().empty()) written.push_back(outputs.back());
    }
    return check_run_outputs(name, written, why) ? exit_done : refuse(to, why);
}

int write_output(const diagnostics& to, const std::string& name, const std::string& text) {
    fault why;
    if (!write_run_output(name, text, why)) return refuse(to, why);
    diagnose(to, "wrote " + name);
    return exit_done;
}

int write_documents(const diagnostics& to, const std::string& json_name,
                    const std::string& json_text, const std::string& csv_name,
                    const std::string& csv_text) {
    int status = json_name.empty() ? exit_done : write_output(to, json_name, json_text);
    if (status != exit_done || csv_name.empty()) return status;
    return write_output(to, csv_name, csv_text);
}

int today_utc(const diagnostics& to, utc_time& today) {
    if (const char* set = std::getenv("VUZAZAV_TODAY")) {
        if (parse_iso_date(set, today)) return exit_done;
        diagnose(to, "VUZAZAV_TODAY " + quote_word(set) + " is no date year-month-day");
        return exit_usage;
    }
    // time() counts seconds since 1970-01-01 00:00 UTC on every platform the program runs on.
    const long long hours = static_cast<long long>(std::time(nullptr)) / 3600;
    today = add_hours(utc_time{1970, 1, 1, 0}, hours);
    today.hour = 0;
    return exit_done;
}
