#include "cli/commands.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// The program's standard output as the commands write it: through the C library's stream
// of the file, as std::cout writes, keeping the reason (errno) of the first write that
// failed. The files a run writes after it would overwrite errno before the run ends, and
// "Broken pipe" (a reader that has gone) or "No space left on device" tell the user more
// than a failure alone.
struct error_keeping_output : std::streambuf {
    explicit error_keeping_output(std::FILE* file) : file(file) {}
    std::FILE* file;
    int first_error = 0;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;
};

// Keeps the first failure's reason; a failure that left errno unset is an I/O error.
bool kept(error_keeping_output& output, bool written) {
    if (!written && output.first_error == 0) output.first_error = errno != 0 ? errno : EIO;
    return written;
}

error_keeping_output::int_type error_keeping_output::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    errno = 0;
    return kept(*this, std::fputc(c, file) != EOF) ? c : traits_type::eof();
}

std::streamsize error_keeping_output::xsputn(const char* text, std::streamsize count) {
    errno = 0;
    const std::size_t written = std::fwrite(text, 1, static_cast<std::size_t>(count), file);
    kept(*this, written == static_cast<std::size_t>(count));
    return static_cast<std::streamsize>(written);
}

int error_keeping_output::sync() {
    errno = 0;
    return kept(*this, std::fflush(file) == 0) ? 0 : -1;
}

// Writes out what output still holds; returns the reason the first write failed, or 0
// when everything reached the file.
int finish_output(error_keeping_output& output) {
    output.pubsync();
    kept(output, std::ferror(output.file) == 0);
    return output.first_error;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past the file-size limit a write fails with "File too large" instead of ending the
    // program, so that the failure is reported and nothing is left half-done.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef SIGPIPE
    // A reader that has gone (a "| head -2") must not end the run before its files are
    // written: the write to standard output fails instead, and the run says so at its end.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    error_keeping_output buffer(stdout);
    std::ostream out(&buffer);
    const diagnostics to{&std::cerr, &out, "vuzazav-cli"};
    int status = run_cli(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), out, to);
    // A day table that never reached its file (a full disk behind standard output) is an
    // output that was not written.
    if (const int error = finish_output(buffer)) {
        diagnose(to, std::string("standard output could not be written: ") + std::strerror(error));
        if (status == exit_done) status = exit_not_written;
    }
    return status;
}
