#include "reading/place_lines.h"

#include <algorithm>
#include <istream>
#include <numeric>

void place_lines(std::istream& in, std::vector<fault>& faults) {
    // Visit the positions in file order, counting line ends up to each.
    std::vector<std::size_t> order(faults.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&faults](std::size_t a, std::size_t b) {
        return faults[a].position < faults[b].position;
    });
    in.clear();
    if (!in.seekg(0)) return;
    long long counted_to = 0, line_ends = 0;
    char block[1 << 16];
    for (std::size_t i : order) {
        const long long target = faults[i].position;
        if (target < 0) continue;
        while (counted_to < target && in) {
            const long long want = std::min<long long>(target - counted_to, sizeof block);
            in.read(block, want);
            const long long got = in.gcount();
            line_ends += std::count(block, block + got, '\n');
            counted_to += got;
            if (got < want) break;
        }
        faults[i].line = line_ends + 1;
    }
    in.clear();
}

void place_line(std::istream& in, fault& one) {
    std::vector<fault> faults{one};
    place_lines(in, faults);
    one = faults.front();
}
