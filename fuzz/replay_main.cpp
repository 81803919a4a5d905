// Runs a fuzz target without libFuzzer: every file of the seed corpus, then a bounded
// number of deterministic mutations of them. This is how the targets run inside the test
// suite (under the sanitizer build); scripts/fuzz.sh runs them for real with libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

// One to four edits: a flipped bit, a byte the framing cares about, an inserted or erased
// byte, a cut.
Input mutate(Input input, std::mt19937& rng) {
  static constexpr std::uint8_t kInteresting[] = {0x00, 0x7D, 0x7E, 0xFF, 0xA0, 0x3A, 0x2F, 0x01};
  for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0; --edits) {
    const std::size_t size = input.size();
    const std::size_t at = size == 0 ? 0 : rng() % size;
    const auto kind = rng() % 5;
    if (kind == 2) {
      input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(rng()));
    } else if (size == 0) {
      continue;
    } else if (kind == 0) {
      input[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    } else if (kind == 1) {
      input[at] = kInteresting[rng() % sizeof kInteresting];
    } else if (kind == 3) {
      input.erase(input.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      input.resize(at);
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;  // usage: CORPUS_DIR [MUTATIONS]
  std::vector<Input> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const long mutations = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 2000;
  for (const auto& s : seeds) LLVMFuzzerTestOneInput(s.data(), s.size());
  std::mt19937 rng(12345);
  for (long i = 0; i < mutations && !seeds.empty(); ++i) {
    const Input m = mutate(seeds[rng() % seeds.size()], rng);
    LLVMFuzzerTestOneInput(m.data(), m.size());
  }
  std::printf("%zu seeds and %ld mutations ran clean\n", seeds.size(), mutations);
  return 0;
}
