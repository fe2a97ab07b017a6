#include "files/write_output_file.h"

#include "files/catch_write_signals.h"
#include "files/find_output_target.h"
#include "files/open_temporary_file.h"
#include "files/remove_stale_temporaries.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

// Writes text to the open file f and closes it; returns false with why set when any of it
// failed.
static bool write_and_close(std::FILE* f, const std::string& text, std::string& why) {
    errno = 0;
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    written = std::fflush(f) == 0 && written;
#ifndef _WIN32
    // On the disk before it takes the old file's place, so that a crash cannot leave an
    // empty file where the old one was.
    written = fsync(fileno(f)) == 0 && written;
#endif
    int write_error = errno;
    written = std::fclose(f) == 0 && written;
    if (write_error == 0) write_error = errno;
    if (!written) why = std::strerror(write_error != 0 ? write_error : EIO);
    return written;
}

bool write_output_file(const std::string& name, const std::string& text, std::string& why) {
    output_target target;
    if (!find_output_target(name, target, why)) return false;
    remove_stale_temporaries(target.path.parent_path());
    write_signals signals;
    catch_write_signals(signals);
    std::filesystem::path temp;
    std::FILE* f = open_temporary_file(target, temp, why);
    if (!f) {
        give_back_write_signals(signals);
        return false;
    }
    remove_on_signal(temp, signals);
    bool written = write_and_close(f, text, why);
    hold_write_signals();
    std::error_code ec;
    if (written) std::filesystem::rename(temp, target.path, ec);
    if (ec) why = ec.message();
    const bool replaced = written && !ec;
    if (!replaced) std::filesystem::remove(temp, ec);
    give_back_write_signals(signals);
    return replaced;
}
