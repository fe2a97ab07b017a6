#pragma once

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#endif

// The signal actions and the signal mask that a write replaces, to be given back after it.
struct write_signals {
#ifndef _WIN32
    struct sigaction old[4];
    bool taken[4];
    sigset_t mask;
#endif
};

// Readies the program for a write that leaves no temporary file behind: SIGXFSZ is
// ignored, so that a write beyond the file-size limit fails with "File too large" instead
// of ending the program, and SIGTERM, SIGINT and SIGHUP are caught and held back until
// remove_on_signal names the file they remove. A signal that the program handles or
// ignores already is left so. Does nothing on Windows, which has none of these signals but
// SIGINT and SIGTERM, and no way to end the program by them from a handler.
void catch_write_signals(write_signals& saved);

// Lets the caught signals in: one that comes removes temp and ends the program by that
// signal, as it would have ended it.
void remove_on_signal(const std::filesystem::path& temp, const write_signals& saved);

// Holds the caught signals back again and forgets the temporary file, before it is renamed
// or removed: a name that is gone may be another's file by the time a signal comes.
void hold_write_signals();

// Gives back the actions and the mask of before the write; a signal held back meanwhile
// then takes its course.
void give_back_write_signals(const write_signals& saved);
