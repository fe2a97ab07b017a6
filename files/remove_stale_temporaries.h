#pragma once

#include <filesystem>

// Removes from the folder dir (the current one when empty) the temporary files that
// writers killed beyond catching (SIGKILL, a crash, a power cut) left behind: regular
// files named exactly as the writer names them, vuzazav-PID-N.tmp, whose process PID is
// not running, untouched for ten minutes. A file of a live process, a fresh one, a link
// and a file of any other name stay. Errors are ignored: a leftover that stays is harmless.
// Does nothing on Windows.
void remove_stale_temporaries(const std::filesystem::path& dir);
