// Replays fuzz inputs without libFuzzer: every file named on the command line,
// or found (recursively) in a directory named there, is fed to the target once.
// At least one input must be replayed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

bool replayFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  namespace fs = std::filesystem;
  int replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    fs::path arg(argv[i]);
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      for (const auto &entry : fs::recursive_directory_iterator(arg)) {
        if (entry.is_regular_file()) {
          ok = replayFile(entry.path()) && ok;
          ++replayed;
        }
      }
    } else if (fs::exists(arg, ec)) {
      ok = replayFile(arg) && ok;
      ++replayed;
    } else {
      // A corpus folder that holds no reproducers yet is not kept by git.
      std::printf("skipping missing %s\n", argv[i]);
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return ok && replayed > 0 ? 0 : 1;
}
