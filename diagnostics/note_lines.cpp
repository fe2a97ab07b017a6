#include "diagnostics/diagnostics.h"
#include "diagnostics/file_note.h"

#include <algorithm>
#include <fstream>
#include <numeric>

std::vector<std::string> note_lines(const std::string& name, const std::vector<file_note>& notes) {
    // Visit the positions in file order, counting line ends a block at a time up to each.
    std::vector<std::size_t> order(notes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&notes](std::size_t a, std::size_t b) {
        return notes[a].position < notes[b].position;
    });
    std::vector<long long> line(notes.size(), 0);
    std::ifstream in(name, std::ios::binary);
    long long counted_to = 0, line_ends = 0;
    char block[1 << 16];
    for (std::size_t i : order) {
        long long target = notes[i].position;
        if (target < 0 || !in.is_open()) continue;
        while (counted_to < target && in) {
            long long want = std::min<long long>(target - counted_to, sizeof block);
            in.read(block, want);
            long long got = in.gcount();
            line_ends += std::count(block, block + got, '\n');
            counted_to += got;
            if (got < want) break;
        }
        line[i] = line_ends + 1;
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < notes.size(); ++i)
        lines.push_back(file_place(name, line[i]) + ": " + notes[i].what);
    return lines;
}
