// The download engine on a phone that answers at once, on virtual time: how fast a
// file of several megabytes is collected, and how much memory that takes compared with
// the file's size (the counter peak_per_file_byte).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "link/escaping.h"
#include "link/request_frame.h"
#include "phone/phone.h"

namespace {

// Allocation accounting for this program: the bytes live at any time and their peak.
std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!p) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(p) = n;
  const std::size_t live = g_live += n;
  std::size_t peak = g_peak;
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {}
  return p + kHeader;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* base = static_cast<unsigned char*>(p) - kHeader;
  g_live -= *reinterpret_cast<std::size_t*>(base);
  std::free(base);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using lg81xx::Bytes;

// Serves one file in the block layout the engine reads: a small first block in the
// reply to the GET request, about a kilobyte per further request.
class BlockPort final : public lg81xx::SerialPort {
 public:
  explicit BlockPort(const Bytes& content) : content_(content) {}
  bool open(const std::string&) override { return true; }
  void close() override {}
  bool is_open() const override { return true; }
  bool write(const Bytes& frame) override {
    Bytes head;
    std::size_t room = 1016;
    if (frame.size() > 11 && lg81xx::get_be16(frame, 9) == 0x2086) {
      sent_ = 0;
      head = Bytes(frame.size() - 1, '\x11');
      Bytes size;
      lg81xx::append_le32(size, static_cast<std::uint32_t>(content_.size()));
      head += lg81xx::escaped(size);
      head.resize(frame.size() + 7, '\0');
      head += "\x01\x01\x01\x01";
      room = 100;
    } else if (frame.size() > 11) {  // continuation: the data follows the request's length
      head = Bytes(frame.size(), '\x22');
    } else {
      head = Bytes(7, '\x33');
    }
    incoming_ = std::move(head);
    for (std::size_t used = 0; sent_ < content_.size(); ++sent_) {
      const auto b = static_cast<std::uint8_t>(content_[sent_]);
      const std::size_t need = lg81xx::is_reserved(b) ? 2 : 1;
      if (used + need > room) break;
      used += need;
      if (need == 2) {
        incoming_ += '\x7D';
        incoming_ += static_cast<char>(b ^ 0x20);
      } else {
        incoming_ += static_cast<char>(b);
      }
    }
    incoming_ += '\x7E';
    return true;
  }
  Bytes read_available() override { return std::move(incoming_); }
  std::string error_text() const override { return {}; }

 private:
  const Bytes& content_;
  std::size_t sent_ = 0;
  Bytes incoming_;
};

class QuietEvents final : public lg81xx::PhoneEvents {
 public:
  void lamp(bool) override {}
  void progress(std::uint64_t, std::uint64_t) override {}
};

void BM_Download(benchmark::State& state) {
  Bytes content(static_cast<std::size_t>(state.range(0)), '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>((i * 131) & 0xFF);
  BlockPort port(content);
  lg81xx::VirtualClock clock;
  QuietEvents events;
  lg81xx::Phone phone(port, clock, events);
  phone.set_model("LG U8130");
  double peak_ratio = 0;
  for (auto _ : state) {
    const std::size_t before = g_live;
    g_peak = before;
    if (phone.download({"Images", "a.jpg"}).value.size() != content.size()) state.SkipWithError("download incomplete");
    peak_ratio = static_cast<double>(g_peak - before) / static_cast<double>(content.size());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  state.counters["peak_per_file_byte"] = peak_ratio;
  state.counters["virtual_s"] = static_cast<double>(clock.now_ms()) / 1000.0 / static_cast<double>(state.iterations());
}

BENCHMARK(BM_Download)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
