// Runs every file of the given corpus folders once through the fuzz target, as a regression test.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int a = 1; a < argc; ++a) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(argv[a], error), end; !error && it != end; it.increment(error))
            if (it->is_regular_file(error)) inputs.push_back(it->path());
        if (error) {
            std::fprintf(stderr, "cannot read %s: %s\n", argv[a], error.message().c_str());
            return 1;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", input.filename().c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
