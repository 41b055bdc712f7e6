// The process entry of a fuzz target built without libFuzzer: prepares it as libFuzzer does,
// then runs every input named on the command line (files, or directories of files) once, so that
// the corpora and the inputs kept from fixed crashes replay in every test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int replay(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    // The targets change directory as they start.
    std::vector<std::filesystem::path> paths;
    for (int i = 1; i < argc; i++) paths.push_back(std::filesystem::absolute(argv[i]));
    LLVMFuzzerInitialize(&argc, &argv);
    int failures = 0, inputs = 0;
    for (const std::filesystem::path &path : paths) {
        if (std::filesystem::is_directory(path)) {
            std::vector<std::filesystem::path> files;
            for (const auto &entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto &file : files) {
                failures += replay(file);
                inputs++;
            }
        } else {
            failures += replay(path);
            inputs++;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
