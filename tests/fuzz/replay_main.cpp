// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// Without libFuzzer: runs the target once on every file below the folders named.
int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            std::fprintf(stderr, "%s\n", entry.path().c_str()); // the last one named is the one that failed
            std::ifstream file(entry.path(), std::ios::binary);
            const std::string bytes {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            inputs += entry.is_regular_file();
        }
    }
    std::printf("ran %d inputs\n", inputs);
    return inputs == 0; // an empty or missing corpus proves nothing
}
