#pragma once

// The tests' HTTP server (tests/fetch/server.py) on 127.0.0.1, on a port the system picks,
// for the life of the variable; it serves a folder laid out like NCEP's and logs what it
// sends.

#include "test_paths.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// A line of the server's log: what it was asked and how many body bytes it sent.
struct served {
    std::string method, path, range;
    int status;
    long long bytes;
};

// The server, on a port the system picks, for the life of the variable.
struct test_server {
    pid_t pid = -1;
    int to_server = -1;
    std::string base; // "http://127.0.0.1:PORT/com/"
    std::filesystem::path log;

    test_server(const std::filesystem::path& root, const std::filesystem::path& log_file,
                std::vector<std::string> args)
        : log(log_file) {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return;
        args.insert(args.begin(), {"python3", source_path() + "/tests/fetch/server.py",
                                   root.string(), log_file.string()});
        pid = fork();
        if (pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execvp("python3", argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        to_server = in[1];
        std::string port;
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n') port += c;
        close(out[0]);
        base = "http://127.0.0.1:" + port + "/com/";
    }
    ~test_server() {
        close(to_server);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    test_server(const test_server&) = delete;
    test_server& operator=(const test_server&) = delete;

    std::vector<served> requests() const {
        std::vector<served> lines;
        std::ifstream in(log);
        served s;
        while (in >> s.method >> s.path >> s.range >> s.status >> s.bytes) lines.push_back(s);
        return lines;
    }
};
