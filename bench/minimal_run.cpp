// The baseline of the whole-run benchmark: the least a program does to give
// the same console output and record as a run of parabeam. Usage:
//   minimal_run OUTPUT PIECES RECORD
// writes the bytes of OUTPUT to standard output in the pieces whose sizes
// PIECES lists (one a line; none: one piece a line), flushing after each, then
// appends RECORD to data-values.dat with one write. Reading its files first is
// all it does beyond that.
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string contents(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<std::size_t> pieceSizes(const char* path, const std::string& output) {
    std::vector<std::size_t> sizes;
    std::ifstream file(path);
    for (std::size_t size = 0; file >> size;)
        sizes.push_back(size);
    if (!sizes.empty()) return sizes;
    for (std::size_t start = 0; start < output.size();) {
        const std::size_t end = output.find('\n', start);
        const std::size_t next = end == std::string::npos ? output.size() : end + 1;
        sizes.push_back(next - start);
        start = next;
    }
    return sizes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string output = contents(argv[1]);
    const std::vector<std::size_t> sizes = pieceSizes(argv[2], output);
    const std::string record = contents(argv[3]);

    std::size_t at = 0;
    for (const std::size_t size : sizes) {
        std::cout.write(output.data() + at, static_cast<std::streamsize>(size)).flush();
        at += size;
    }
    const int file = ::open("data-values.dat", O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (file < 0 || ::write(file, record.data(), record.size()) < 0) return 1;
    ::close(file);
    return 0;
}
