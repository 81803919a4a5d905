// Codec throughput: hex conversion, escaping and unescaping, in bytes per second.
#include <benchmark/benchmark.h>

#include "base/hex_codec.h"
#include "link/escaping.h"

namespace {

lg81xx::Bytes sample(std::size_t n) {
  lg81xx::Bytes b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>((i * 131) & 0xFF);
  return b;
}

void BM_BinToHex(benchmark::State& state) {
  const auto data = sample(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(lg81xx::bin_to_hex(data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_HexToBin(benchmark::State& state) {
  const auto hex = lg81xx::bin_to_hex(sample(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(lg81xx::hex_to_bin(hex));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Escape(benchmark::State& state) {
  const auto data = sample(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(lg81xx::escaped(data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Unescape(benchmark::State& state) {
  const auto wire = lg81xx::escaped(sample(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(lg81xx::unescaped(wire));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_BinToHex)->Arg(1 << 20);
BENCHMARK(BM_HexToBin)->Arg(1 << 20);
BENCHMARK(BM_Escape)->Arg(1 << 20);
BENCHMARK(BM_Unescape)->Arg(1 << 20);

}  // namespace
