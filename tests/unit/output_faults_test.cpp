// The output writer and the output-name check under the faults an attacker can arrange: two
// names of one file that does not exist yet, a file-size limit, a signal in the middle of a
// write, leftovers of a killed run, and links to a process's open files.
#include "files/check_input_file.h"
#include "files/find_output_target.h"
#include "files/write_output_file.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// Whether output may be written beside input; the same test the programs make between two
// outputs of one run.
bool may_write(const fs::path& input, const fs::path& output) {
    std::string why;
    return check_output_name(input.string(), output.string(), why) == nullptr;
}

// Names of one file are found so before the file exists, whichever way they reach it.
TEST(OutputFaults, NamesOfOneFileAreOneOutputBeforeItExists) {
    scratch_directory scratch;
    const fs::path& dir = scratch.path;
    fs::create_directory(dir / "reports");
    fs::create_directory_symlink("reports", dir / "latest");
    fs::create_symlink(fs::path("reports") / "week.out", dir / "link.out");
    const fs::path week = dir / "reports" / "week.out";
    EXPECT_FALSE(may_write(dir / "bulletins.out", dir / "." / "bulletins.out"));
    EXPECT_FALSE(may_write(week, dir / "latest" / "week.out"));
    EXPECT_FALSE(may_write(week, dir / "link.out"));
    EXPECT_FALSE(may_write(dir / "latest" / ".." / "week.out", dir / "week.out"));
    EXPECT_TRUE(may_write(week, dir / "week.out"));
    EXPECT_TRUE(may_write(week, dir / "reports" / "week.svg"));
#ifdef _WIN32
    EXPECT_FALSE(may_write(week, dir / "reports" / "WEEK.OUT")); // names without case
#endif
    EXPECT_EQ(names_in(dir / "reports"), std::set<std::string>{}) << "nothing is created";
}

} // namespace

#ifndef _WIN32

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

#ifdef __linux__

// A link to a process's open file leads to whatever that process has open, such as the log
// that standard output is appended to; it is no file the user named, and is kept.
TEST(OutputFaults, ProcessOpenFileLinksAreNoOutputs) {
    scratch_directory scratch;
    const fs::path& dir = scratch.path;
    const fs::path log = dir / "forecast.log";
    int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "earlier\n", 8), 8);
    const std::string number = std::to_string(fd);
    const std::string reason = "is a process's open file, not a file to replace";
    fs::create_symlink("/proc/self/fd/" + number, dir / "fd.out");
    fs::create_symlink("/dev/fd/" + number, dir / "dev_fd.out");
    fs::create_directory_symlink("/proc/self/fd", dir / "fds");
    for (const fs::path& name : {dir / "fd.out", dir / "dev_fd.out", dir / "fds" / number}) {
        SCOPED_TRACE(name.string());
        std::string why;
        EXPECT_FALSE(write_output_file(name.string(), "report\n", why));
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    }
    // Whatever standard output is, it is not replaced: only asked where it would go.
    output_target target;
    std::string why;
    EXPECT_FALSE(find_output_target("/dev/stdout", target, why));
    EXPECT_NE(why.find(reason), std::string::npos) << why;
    close(fd);
    EXPECT_EQ(contents(log), "earlier\n");
    EXPECT_EQ(names_in(dir),
              (std::set<std::string>{"forecast.log", "fd.out", "dev_fd.out", "fds"}));
}

#endif

} // namespace

#endif
