#include "diagnostics/sentences.h"

std::string not_written_sentence(const std::string& name) {
    return "The output file " + name + " could not be written.";
}

std::string refusal_sentence(const fault& why) {
    switch (why.kind) {
    case fault_kind::missing_file:
        return missing_file_sentence;
    case fault_kind::short_name:
        return short_name_sentence;
    case fault_kind::output_is_input:
        return output_is_input_sentence;
    case fault_kind::invalid_bulletins:
        return invalid_file_sentence;
    case fault_kind::incorrect_format:
        return incorrect_format_sentence;
    case fault_kind::bad_weight:
        return bad_weight_sentence;
    case fault_kind::not_written:
    case fault_kind::same_output:
        return not_written_sentence(why.file);
    case fault_kind::refused_input:
    case fault_kind::usage:
        break;
    }
    return "";
}
