#pragma once

#include <cstdio>
#include <streambuf>

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

// Writes out what output still holds; returns the reason the first write failed, or 0
// when everything reached the file.
int finish_output(error_keeping_output& output);
