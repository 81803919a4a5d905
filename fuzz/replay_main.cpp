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
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

std::vector<Input> load_corpus(const std::filesystem::path& dir) {
  std::vector<Input> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

Input mutate(Input input, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    const std::size_t size = input.size();
    switch (rng() % 5) {
      case 0:  // flip a byte
        if (size > 0) input[rng() % size] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        break;
      case 1:  // set an interesting value
        if (size > 0) {
          static constexpr std::uint8_t kInteresting[] = {0x00, 0x7D, 0x7E, 0xFF, 0xA0, 0x3A, 0x2F, 0x01};
          input[rng() % size] = kInteresting[rng() % sizeof kInteresting];
        }
        break;
      case 2:  // insert a random byte
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(size == 0 ? 0 : rng() % (size + 1)),
                     static_cast<std::uint8_t>(rng()));
        break;
      case 3:  // erase a byte
        if (size > 0) input.erase(input.begin() + static_cast<std::ptrdiff_t>(rng() % size));
        break;
      default:  // truncate
        if (size > 0) input.resize(rng() % size);
        break;
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR [MUTATIONS]\n", argv[0]);
    return 2;
  }
  const auto seeds = load_corpus(argv[1]);
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
