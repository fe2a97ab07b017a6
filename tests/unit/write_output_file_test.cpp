// The writer called directly, so that it runs on Windows too, where the temporary file
// comes from the C runtime's own exclusive creation, in text mode.
#include "files/write_output_file.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <process.h>
static const bool may_write_any_file = false;
static const char* const two_lines = "a\r\nb\r\n";
#define getpid _getpid
#else
#include <unistd.h>
static const bool may_write_any_file = geteuid() == 0;
static const char* const two_lines = "a\nb\n";
#endif

namespace fs = std::filesystem;

static std::string bytes_of(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(WriteOutputFile, ReplacesInTextModeWhatItMayAndOpensNoFileThatExists) {
    scratch_directory scratch;
    const fs::path out = scratch.path / "week.out";
    std::ofstream(out, std::ios::binary) << "earlier\n";
    // Someone else's file under the name the writer tries first must stay as it is.
    const fs::path taken = scratch.path / ("vuzazav-" + std::to_string(getpid()) + "-0.tmp");
    std::ofstream(taken, std::ios::binary) << "keep";
    std::string why;
    ASSERT_TRUE(write_output_file(out.string(), "a\nb\n", why)) << why;
    EXPECT_EQ(bytes_of(out), two_lines);
    EXPECT_EQ(bytes_of(taken), "keep");
    // A read-only file is left as it was, unless the user may write to any file.
    fs::permissions(out, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(write_output_file(out.string(), "new\n", why), may_write_any_file);
    EXPECT_EQ(bytes_of(out) == two_lines, !may_write_any_file);
    fs::permissions(out, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()), 2);
}
