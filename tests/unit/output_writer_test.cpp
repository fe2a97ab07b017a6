// The output writer, called directly so that it runs on Windows too (where the temporary
// file comes from the C runtime's own exclusive creation, in text mode), and under the
// faults an attacker can arrange: a file-size limit, a signal in the middle of a write,
// leftovers of a killed run, and links to a process's open files.
#include "files/output_names.h"
#include "files/output_writer.h"

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

static std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(OutputWriter, ReplacesInTextModeWhatItMayAndOpensNoFileThatExists) {
    scratch_directory scratch;
    const fs::path out = scratch.path / "week.out";
    std::ofstream(out, std::ios::binary) << "earlier\n";
    // Someone else's file under the name the writer tries first must stay as it is.
    const fs::path taken = scratch.path / ("vuzazav-" + std::to_string(getpid()) + "-0.tmp");
    std::ofstream(taken, std::ios::binary) << "keep";
    std::string why;
    ASSERT_TRUE(write_output_file(out.string(), "a\nb\n", why)) << why;
    EXPECT_EQ(contents(out), two_lines);
    EXPECT_EQ(contents(taken), "keep");
    // A read-only file is left as it was, unless the user may write to any file.
    fs::permissions(out, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(write_output_file(out.string(), "new\n", why), may_write_any_file);
    EXPECT_EQ(contents(out) == two_lines, !may_write_any_file);
    fs::permissions(out, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()), 2);
}

#ifndef _WIN32

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

bool holds_temporary(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".tmp") return true;
    return false;
}

extern "C" void note_signal(int) {}

// A write beyond the file-size limit fails with the system's reason instead of ending the
// program, and the write leaves the signal actions and the signal mask as it found them.
TEST(OutputWriter, FileSizeLimitFailsTheWriteWithItsReason) {
    scratch_directory scratch;
    const fs::path out = scratch.path / "week.out";
    std::ofstream(out) << "earlier\n";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct sigaction mine = {};
        mine.sa_handler = note_signal;
        sigaction(SIGTERM, &mine, nullptr);
        rlimit limit = {1 << 16, 1 << 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string why;
        bool written = write_output_file(out.string(), std::string(1 << 20, 'x'), why);
        struct sigaction term = {}, xfsz = {};
        sigaction(SIGTERM, nullptr, &term);
        sigaction(SIGXFSZ, nullptr, &xfsz);
        sigset_t blocked;
        sigprocmask(SIG_BLOCK, nullptr, &blocked);
        bool given_back = term.sa_handler == note_signal && xfsz.sa_handler == SIG_DFL &&
                          !sigismember(&blocked, SIGTERM) && !sigismember(&blocked, SIGINT);
        _exit(written ? 1 : why != std::strerror(EFBIG) ? 2 : !given_back ? 3 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written, 2: another reason, 3: actions changed";
    EXPECT_EQ(contents(out), "earlier\n");
    EXPECT_EQ(names_in(scratch.path), std::set<std::string>{"week.out"});
}

// A signal that ends the program in the middle of a write takes the temporary file with it,
// and the program still ends by that signal. The child writes enough that the signal,
// sent as soon as the temporary file appears, comes while it is being written; one that
// comes too late finds the write done, and the attempt is made again.
TEST(OutputWriter, SignalDuringAWriteRemovesTheTemporaryFile) {
    scratch_directory scratch;
    const fs::path out = scratch.path / "week.out";
    const std::size_t size = std::size_t{64} << 20;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        bool ended_by_it = false;
        for (int attempt = 0; attempt < 4 && !ended_by_it; ++attempt) {
            std::ofstream(out) << "earlier\n";
            pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // A test run started under nohup or in the background inherits SIGHUP or
                // SIGINT ignored, which the writer rightly leaves ignored.
                std::signal(sig, SIG_DFL);
                std::string why;
                _exit(write_output_file(out.string(), std::string(size, 'x'), why) ? 0 : 1);
            }
            int status = 0;
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            pid_t ended = 0;
            while (!holds_temporary(scratch.path) &&
                   (ended = waitpid(child, &status, WNOHANG)) == 0 &&
                   std::chrono::steady_clock::now() < give_up) {
            }
            if (ended == 0) { // a child that is gone may have passed its number on
                kill(child, sig);
                waitpid(child, &status, 0);
            }
            ended_by_it = WIFSIGNALED(status) && WTERMSIG(status) == sig;
            EXPECT_TRUE(ended_by_it || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
            EXPECT_EQ(names_in(scratch.path), std::set<std::string>{"week.out"});
            const auto now = fs::file_size(out);
            EXPECT_TRUE(now == 8 || now == size) << now << " bytes: neither old nor new";
        }
        EXPECT_TRUE(ended_by_it) << "every write ended before the signal came";
    }
}

// The leftover of a process that was killed is removed by the next write beside it; a file
// of a live process, a fresh one, a link and any file of another name are not.
TEST(OutputWriter, StaleTemporariesOfDeadProcessesAreRemoved) {
    scratch_directory scratch;
    const fs::path& dir = scratch.path;
    pid_t gone = fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = "vuzazav-" + std::to_string(gone);
    const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const std::string& name :
         {dead + "-0.tmp", std::string("vuzazav-1-0.tmp"), dead + "-0.tmp.old", dead + ".tmp",
          "x" + dead + "-0.tmp", dead + "-0x.tmp"}) {
        std::ofstream(dir / name) << "part";
        fs::last_write_time(dir / name, long_ago);
    }
    std::ofstream(dir / (dead + "-1.tmp")) << "part"; // may be another machine's, writing now
    fs::create_symlink("week.out", dir / (dead + "-2.tmp"));
    std::set<std::string> left = names_in(dir);
    left.erase(dead + "-0.tmp");
    left.insert("week.out");
    std::string why;
    ASSERT_TRUE(write_output_file((dir / "week.out").string(), "report\n", why)) << why;
    EXPECT_EQ(names_in(dir), left);
}

#ifdef __linux__

// A link to a process's open file leads to whatever that process has open, such as the log
// that standard output is appended to; it is no file the user named, and is kept.
TEST(OutputWriter, ProcessOpenFileLinksAreNoOutputs) {
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
