// Runs a fuzz target over saved inputs without libFuzzer, so the targets build and run with
// any compiler: every file named on the command line, and every file (sorted, recursively)
// of every directory named there. A crash or failed check ends the run like it would end
// the fuzzer; an argument that names nothing, or no input at all, fails too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace
{

bool runFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", path.string().c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A copy of exactly the input's size, so reading past it is caught by the sanitizers.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    static const std::uint8_t none = 0; // libFuzzer never passes a null pointer either
    LLVMFuzzerTestOneInput(input.empty() ? &none : input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    std::size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg = argv[i];
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const auto &entry : fs::recursive_directory_iterator(arg, ec))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto &file : files) {
                if (!runFile(file))
                    return 1;
                ++runs;
            }
        } else if (fs::is_regular_file(arg, ec)) {
            if (!runFile(arg))
                return 1;
            ++runs;
        } else {
            std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("%zu inputs replayed\n", runs);
    return runs > 0 ? 0 : 1;
}
