#include "frontend/menu_loop.h"

#include "diagnostics/sentences.h"
#include "frontend/console.h"
#include "frontend/read_choice.h"
#include "frontend/runs.h"

#include <iterator>
#include <ostream>
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
