// Upload throughput and memory: the frame builder alone, and a whole upload through the
// in-process virtual phone (on virtual time, so only the work is measured). The memory
// counter is the process's peak resident size over the file size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "phone/frames/upload_frames.h"
#include "phone/phone.h"
#include "phone_port.h"

namespace {

using lg81xx::Bytes;

Bytes sample(std::size_t n) {
  Bytes b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>((i * 131) & 0xFF);
  return b;
}

double peak_rss_bytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

class QuietEvents final : public lg81xx::PhoneEvents {
 public:
  void lamp(bool) override {}
  void progress(std::uint64_t, std::uint64_t) override {}
};

// A port whose other end acknowledges every frame at once and keeps nothing.
class AckingPort final : public lg81xx::SerialPort {
 public:
  bool open(const std::string&) override { return open_ = true; }
  void close() override { open_ = false; }
  bool is_open() const override { return open_; }
  bool write(const Bytes&) override {
    pending_ = true;
    return open_;
  }
  Bytes read_available() override {
    if (!pending_) return {};
    pending_ = false;
    return Bytes("\xA0\x00\x03", 3);
  }
  std::string error_text() const override { return {}; }

 private:
  bool open_ = false;
  bool pending_ = false;
};

void BM_UploadFrames(benchmark::State& state) {
  const Bytes content = sample(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    lg81xx::UploadFrames plan({Bytes("Java\0", 5), Bytes("05.jar\0", 7), 5, 7}, content);
    unsigned seq = 0;
    std::size_t wire = 0;
    while (!plan.finished()) wire += plan.next([&] { return ++seq; }).bytes.size();
    benchmark::DoNotOptimize(wire);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The engine alone: its peak memory is the file plus a few KB.
void BM_UploadObject(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const Bytes content = sample(size);
  AckingPort port;
  lg81xx::VirtualClock clock;
  QuietEvents events;
  lg81xx::Phone phone(port, clock, events);
  phone.set_model("LG U8120");
  port.open("ack");
  for (auto _ : state) phone.upload({"Java", "big.bin"}, content);
  state.SetBytesProcessed(state.iterations() * state.range(0));
  state.counters["peak_rss_per_file_byte"] = peak_rss_bytes() / static_cast<double>(size);
}

// With the phone's side too (parsing, reassembly, its log of every frame).
void BM_UploadThroughVirtualPhone(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const Bytes content = sample(size);
  const auto storage = std::filesystem::temp_directory_path() / "lg81xx-upload-bench";
  lg81xx::sim::VirtualPhone phone({"LG U8120", "1", storage, 0});
  lg81xx::sim::PhonePort port(phone);
  lg81xx::VirtualClock clock;
  QuietEvents events;
  lg81xx::Phone client(port, clock, events);
  client.set_model("LG U8120");
  port.open("sim");
  for (auto _ : state) {
    if (client.upload({"Java", "big.bin"}, content) != lg81xx::JobResult::ok)
      state.SkipWithError("upload not acknowledged");
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  std::error_code ec;
  std::filesystem::remove_all(storage, ec);
}

BENCHMARK(BM_UploadFrames)->Arg(4 << 20);
BENCHMARK(BM_UploadObject)->Arg(64 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadThroughVirtualPhone)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
