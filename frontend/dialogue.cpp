#include "frontend/dialogue.h"

#include "diagnostics/sentences.h"
#include "files/input_file.h"
#include "files/output_names.h"
#include "files/output_writer.h"
#include "reading/reading.h"

#include <istream>
#include <ostream>

void say(dialogue& d, const std::string& sentence) {
    d.out << sentence << std::endl;
}

void refuse(dialogue& d, const fault& why) {
    say(d, refusal_sentence(why));
    diagnose(d.why, fault_line(why));
}

bool save_output(dialogue& d, const std::string& name, const std::string& text) {
    fault why;
    if (!write_run_output(name, text, why)) {
        refuse(d, why);
        return false;
    }
    diagnose(d.why, "wrote " + name);
    return true;
}

bool ask_file_name(dialogue& d, std::string& name, std::ifstream& input, std::string& output) {
    d.out << file_name_prompt << std::flush;
    name.clear(); // end of input leaves no name, which cannot be opened
    // One character beyond the longest name is enough to refuse a longer one.
    read_word(d.in, name, longest_file_name + 1);
    fault why;
    if (open_input_file(name, input, why) && output_file_name(name, output, why) &&
        check_run_outputs(name, {output}, why))
        return true;
    refuse(d, why);
    return false;
}

bool read_choice(std::istream& in, std::ostream& echo, std::string& choice) {
    const std::string::size_type keep = 16;
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    choice.clear();
    bool echoing = false;
    int c = buf->sgetc();
    do {
        if (echoing) {
            echo.put(static_cast<char>(c));
        } else if (choice.size() < keep) {
            choice.push_back(static_cast<char>(c));
        } else {
            echo << choice;
            echo.put(static_cast<char>(c));
            choice.clear();
            echoing = true;
        }
        c = buf->snextc();
    } while (c != EOF && !is_white(c));
    if (c == EOF) in.setstate(std::ios::eofbit);
    return true;
}
