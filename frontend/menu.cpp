#include "frontend/menu.h"

#include "diagnostics/sentences.h"
#include "frontend/console.h"
#include "gfs/gfs_table.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/load_bulletin_file.h"
#include "pointforecast/write_report.h"
#include "reading/places.h"
#include "reading/reading.h"

#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

namespace {

// A choice of the menu: the word that picks it, its line, and what it does: a run, or a
// sentence for the runs that are not functional. Quit has neither.
struct menu_choice {
    const char* word;
    const char* line;
    void (*run)(dialogue&);
    const char* answer;
};

const menu_choice choices[] = {
    {"1", menu_gfs_line, run_gfs_model, nullptr},
    {"2", menu_0000_line, nullptr, option_2_sentence},
    {"3", menu_0600_line, nullptr, option_3_sentence},
    {"4", menu_1200_line, run_1200_model, nullptr},
    {"5", menu_1800_line, nullptr, option_5_sentence},
    {"6", menu_quit_line, nullptr, nullptr},
};

const menu_choice* find_choice(const std::string& word) {
    for (const menu_choice& c : choices)
        if (word == c.word) return &c;
    return nullptr;
}

void carry_out(dialogue& d, const menu_choice* choice) {
    if (!choice)
        say(d, illegal_option_sentence);
    else if (choice->run)
        choice->run(d);
    else
        say(d, choice->answer);
}

} // namespace

void menu_loop(dialogue& d) {
    std::string word;
    for (;;) {
        say(d, menu_title);
        for (const menu_choice& c : choices) say(d, c.line);
        // Without a word there is nothing left to do: repeating the last choice would
        // loop for ever on a closed input. A word too long to be a choice has been echoed
        // while it was read and leaves word empty, which is an illegal option.
        if (!read_choice(d.in, d.out, word)) return;
        const menu_choice* choice = find_choice(word);
        if (choice && !choice->run && !choice->answer) break;
        say(d, word);
        clear_screen(d.out);
        carry_out(d, choice);
        pause_for_key(d.out);
        clear_screen(d.out);
    }
    pause_for_key(d.out);
}

// Reads the ETA weight as one whole word, so that nothing of a word that is no number
// ("0,7") is left for the menu to take as a choice.
static bool ask_eta_weight(dialogue& d, std::string& word, double& eta_weight) {
    d.out << eta_weight_prompt << std::flush;
    // Kept long enough that a number too long to be one is refused, not cut to fit.
    std::size_t size = 0;
    if (read_word(d.in, word, longest_number + 1, &size) && parse_number(word, eta_weight))
        return true;
    say(d, bad_weight_sentence);
    if (d.in.fail())
        diagnose(d.why, "no ETA model weight before the end of input");
    else
        diagnose(d.why, "the ETA model weight " + quote_word(word, size) +
                            " is no number; type one such as 0.7");
    d.in.clear();
    return false;
}

void run_1200_model(dialogue& d) {
    std::string name, output;
    std::ifstream input;
    if (!ask_file_name(d, name, input, output)) return;
    loaded_bulletins loaded;
    fault why;
    if (!load_bulletin_file(input, name, loaded, why)) {
        refuse(d, why);
        return;
    }
    input.close();
    say(d, valid_file_sentence);
    for (const fault& warning : loaded.warnings) diagnose(d.why, fault_line(warning));

    std::string word;
    double eta_weight = 0;
    if (!ask_eta_weight(d, word, eta_weight)) return;
    // The menu takes any weight, as it always has, but says when it extrapolates.
    if (!(eta_weight >= lowest_eta_weight && eta_weight <= highest_eta_weight))
        diagnose(d.why, "the ETA model weight " + quote_word(word) + " is " + weight_range_note);
    city_forecast forecast;
    if (!compute_city_forecast(loaded.values, eta_weight, forecast, why)) {
        say(d, bad_weight_sentence);
        diagnose(d.why, "the ETA model weight " + quote_word(word) + ": " + why.what);
        return;
    }
    const double avn_ratio = 1.0 - eta_weight;
    d.out << avn_ratio_sentence << avn_ratio << std::endl << std::endl;
    write_day_table(d.out, forecast, false);
    // A stream of the run's own, so that its fixed notation never reaches the console.
    std::ostringstream report;
    write_report(report, forecast);
    save_output(d, output, report.str());
}

void run_gfs_model(dialogue& d) {
    std::string name, output;
    std::ifstream input;
    if (!ask_file_name(d, name, input, output)) return;
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    if (!load_gfs_table(input, name, model, table, why)) {
        refuse(d, why);
        return;
    }
    input.close();
    say(d, valid_file_sentence);
    std::ostringstream text;
    write_gfs_table(text, table);
    save_output(d, output, text.str());
}
