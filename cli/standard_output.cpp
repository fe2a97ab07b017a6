#include "cli/standard_output.h"

#include <cerrno>

// Keeps the first failure's reason; a failure that left errno unset is an I/O error.
static bool kept(error_keeping_output& output, bool written) {
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

int finish_output(error_keeping_output& output) {
    output.pubsync();
    kept(output, std::ferror(output.file) == 0);
    return output.first_error;
}
