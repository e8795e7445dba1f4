// Plays files through a fuzz target's entry point, without libFuzzer: the
// seed corpora and the inputs that once failed, so that what the fuzzers
// check is checked by every build of the test suite.
//   replay_TARGET FILE_OR_FOLDER...

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path path = fs::absolute(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else if (fs::is_regular_file(path)) {
            files.push_back(path);
        } else {
            std::cerr << "no such file or folder: " << argv[i] << '\n';
            return 2;
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "nothing to play\n";
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::cout << file.string() << '\n' << std::flush;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << files.size() << " inputs played\n";
    return 0;
}
