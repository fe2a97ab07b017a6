// The file-name dialogue called directly, so that it runs on Windows too.
#include "frontend/dialogue.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

// A missing file, a directory, a name with a NUL byte and one longer than any path are
// refused as missing files; the next word is a file a run can read.
TEST(AskFileName, RefusesWhatNoRunCanRead) {
    using namespace std::string_literals;
    scratch_directory scratch;
    const fs::path home = fs::current_path();
    fs::current_path(scratch.path);
    std::ofstream("week.txt") << "text\n";
    fs::create_directory("folder.txt");
    std::istringstream typed("missing.txt folder.txt week.txt\0zz "s + std::string(5000, 'n') +
                             " week.txt");
    std::ostringstream shown, why;
    dialogue d{typed, shown, diagnostics{&why, nullptr, "vuzazav"}};
    std::string name, output;
    std::ifstream input;
    int refused = 0;
    while (!ask_file_name(d, name, input, output)) ++refused;
    fs::current_path(home);
    EXPECT_EQ(refused, 4);
    EXPECT_EQ(name, "week.txt");
    const std::string missing = "You entered a file name wich does not exist in the directory.";
    const std::string said = shown.str();
    int sentences = 0;
    for (auto at = said.find(missing); at != std::string::npos; at = said.find(missing, at + 1))
        ++sentences;
    EXPECT_EQ(sentences, 4);
}
