#include "frontend/menu_loop.h"

#include "frontend/console.h"
#include "frontend/read_choice.h"
#include "gfs/run_gfs_model.h"
#include "pointforecast/run_1200_model.h"

#include <iostream>
#include <string>

static const char* const menu_lines[] = {
    "Please enter an option!", "1) Run GFS Model",  "2) Run 0000 Model", "3) Run 0600 Model",
    "4) Run 1200 Model",       "5) Run 1800 Model", "6) Quit",
};

static void option_2() {
    std::cout << "Option 2 not functional" << std::endl;
}
static void option_3() {
    std::cout << "Option 3 not functional" << std::endl;
}
static void option_5() {
    std::cout << "Option 5 not functioanl" << std::endl;
}

// The choices "1" to "5" and what each does; "6" is tested before them.
static const char* const choices[] = {"1", "2", "3", "4", "5"};
static void (*const actions[])() = {run_gfs_model, option_2, option_3, run_1200_model, option_5};

static void carry_out(const std::string& choice) {
    for (int i = 0; i < 5; ++i) {
        if (choice == choices[i]) {
            actions[i]();
            return;
        }
    }
    std::cout << "Illegal option was entered, try again." << std::endl;
}

void menu_loop() {
    std::string choice;
    for (;;) {
        for (const char* line : menu_lines) std::cout << line << std::endl;
        // Without a word there is nothing left to do: repeating the last choice would
        // loop for ever on a closed input. A word too long to be a choice has been echoed
        // while it was read and leaves choice empty, which is an illegal option.
        if (!read_choice(std::cin, std::cout, choice)) return;
        if (choice == "6") break;
        std::cout << choice << std::endl;
        clear_screen();
        carry_out(choice);
        pause_for_key();
        clear_screen();
    }
    pause_for_key();
}
