// verify on hostile inputs, as a process: it ends with its exit status, never a signal, and
// its memory does not grow with what it warns about.
#ifndef _WIN32

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct finished {
    int status;      // the raw wait status
    long peak_kib;   // peak resident memory
    std::string err; // standard error
};

// Runs vuzazav-cli verify on the files, standard error to a file in dir.
finished run_verify(const std::filesystem::path& dir, std::vector<std::string> files) {
    const std::string err = (dir / "stderr.txt").string();
    files.insert(files.begin(), {VUZAZAV_CLI, "verify"});
    std::vector<char*> argv;
    for (std::string& f : files) argv.push_back(&f[0]);
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen(err.c_str(), "w", stderr) || !freopen("/dev/null", "w", stdout)) _exit(99);
        execv(argv[0], argv.data());
        _exit(98);
    }
    finished f{};
    rusage usage{};
    wait4(pid, &f.status, 0, &usage);
    f.peak_kib = usage.ru_maxrss;
    std::ifstream in(err);
    f.err.assign(std::istreambuf_iterator<char>(in), {});
    return f;
}

} // namespace

TEST(VerifyBounds, HostileInputsEndWithTheirStatusInBoundedMemory) {
    scratch_directory scratch;
    const std::filesystem::path csv = scratch.path / "readings.csv";
    {
        std::ofstream out(csv);
        out << "station,day,max_temp_f,min_temp_f\n";
        for (int i = 0; i < 200000; ++i) out << "FSD,2010-03-05,150,-90\n";
    }
    const finished warned = run_verify(scratch.path, {csv.string()});
    ASSERT_TRUE(WIFEXITED(warned.status));
    EXPECT_EQ(WEXITSTATUS(warned.status), 1);
    EXPECT_NE(warned.err.find("and 399,990 more readings outside -80 to 140 °F\n"),
              std::string::npos);
#ifndef __SANITIZE_ADDRESS__ // whose shadow memory is no measure of the program's
    EXPECT_LT(warned.peak_kib, 50 * 1024);
#endif

    const std::filesystem::path deep = scratch.path / "deep.json";
    std::ofstream(deep) << "{\"program\": " << std::string(100000, '[') << std::string(100000, ']')
                        << "}\n";
    const finished nested = run_verify(scratch.path, {deep.string()});
    ASSERT_TRUE(WIFEXITED(nested.status));
    EXPECT_EQ(WEXITSTATUS(nested.status), 1);
    EXPECT_NE(nested.err.find("deep.json:1: "), std::string::npos) << nested.err;

    for (const char* option : {"--pairs", "--verif"}) {
        const finished empty = run_verify(scratch.path, {option, "", deep.string()});
        ASSERT_TRUE(WIFEXITED(empty.status));
        EXPECT_EQ(WEXITSTATUS(empty.status), 2) << option;
    }

    const finished unreadable = run_verify(scratch.path, {"/proc/self/mem"});
    ASSERT_TRUE(WIFEXITED(unreadable.status));
    EXPECT_EQ(WEXITSTATUS(unreadable.status), 1);
    EXPECT_NE(unreadable.err.find("/proc/self/mem: Input/output error"), std::string::npos)
        << unreadable.err;
}

#endif
