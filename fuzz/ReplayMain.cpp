// SPDX-License-Identifier: MIT
// Without libFuzzer: runs the target once on every file of the folders (or files) given, so the
// tests replay each corpus and an input that once broke a reader keeps being tried.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int replay(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return -1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path given(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(given)) {
            for (const auto& entry : std::filesystem::directory_iterator(given)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
        } else {
            files.push_back(given);
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            const int done = replay(file);
            if (done < 0)
                return 1;
            count += done;
        }
    }
    // An empty or missing corpus would pass while trying nothing.
    if (count == 0) {
        std::fputs("no inputs to replay\n", stderr);
        return 1;
    }
    std::printf("%d inputs replayed\n", count);
    return 0;
}
