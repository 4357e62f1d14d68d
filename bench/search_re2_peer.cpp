// Peer for the regex benchmark (bench only; the product never links it):
// reads a UTF-8 file, and searches each line for every match of PATTERN,
// as the find tool does with the editor's lines. Prints
// "matches=<N> lines=<N> search_ms=<n>", the search timed alone.
#include <re2/re2.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: search_re2_peer PATTERN FILE\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::vector<re2::StringPiece> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            std::size_t end = i;
            if (end > begin && text[end - 1] == '\r') --end;
            lines.emplace_back(text.data() + begin, end - begin);
            begin = i + 1;
        }
    }
    RE2 pattern(argv[1], RE2::Quiet);
    if (!pattern.ok()) return 2;
    auto start = std::chrono::steady_clock::now();
    long long matches = 0;
    long long matchingLines = 0;
    for (re2::StringPiece line : lines) {
        re2::StringPiece rest = line;
        bool any = false;
        while (RE2::FindAndConsume(&rest, pattern)) {
            ++matches;
            any = true;
        }
        matchingLines += any;
    }
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("matches=%lld lines=%lld search_ms=%lld\n", matches, matchingLines, static_cast<long long>(ms));
    return 0;
}
