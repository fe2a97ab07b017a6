// Names of one file are found so before the file exists, whichever way they reach it.
#include "files/output_names.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// Whether output may be written beside input; the same test the programs make between two
// outputs of one run.
static bool may_write(const fs::path& input, const fs::path& output) {
    fault why;
    return check_run_outputs(input.string(), {output.string()}, why);
}

TEST(OutputNames, NamesOfOneFileAreOneOutputBeforeItExists) {
    scratch_directory scratch;
    const fs::path& dir = scratch.path;
    fs::create_directory(dir / "reports");
    const fs::path week = dir / "reports" / "week.out";
    EXPECT_FALSE(may_write(dir / "bulletins.out", dir / "." / "bulletins.out"));
    EXPECT_FALSE(may_write(dir / "reports" / ".." / "week.out", dir / "week.out"));
    EXPECT_TRUE(may_write(week, dir / "week.out"));
    EXPECT_TRUE(may_write(week, dir / "reports" / "week.svg"));
#ifdef _WIN32
    EXPECT_FALSE(may_write(week, dir / "reports" / "WEEK.OUT")); // names without case
#else
    // (Links need a privilege on Windows.)
    fs::create_directory_symlink("reports", dir / "latest");
    fs::create_symlink(fs::path("reports") / "week.out", dir / "link.out");
    EXPECT_FALSE(may_write(week, dir / "latest" / "week.out"));
    EXPECT_FALSE(may_write(week, dir / "link.out"));
#endif
    EXPECT_TRUE(fs::is_empty(dir / "reports")) << "nothing is created";
}
