// The virtual phone's receiving side on its own: frames from the engine's builder, spoiled
// one way at a time, must go unanswered and store nothing.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "phone/frames/upload_frames.h"
#include "support/temp_dir.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);

Bytes pattern(std::size_t n) {
  Bytes b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>('a' + i % 26);
  return b;
}

// The wire frames of an 8-bit upload of `content` to `folder`/`name`.
std::vector<Bytes> frames_for(const std::string& folder, const std::string& name, const Bytes& content) {
  UploadFrames plan({folder + '\0', name + '\0', static_cast<std::uint8_t>(folder.size() + 1),
                     static_cast<std::uint8_t>(name.size() + 1)},
                    content);
  std::vector<Bytes> out;
  unsigned seq = 1;
  while (!plan.finished()) out.push_back(plan.next([&] { return seq++; }).bytes);
  return out;
}

class UploadService : public ::testing::Test {
 protected:
  // Sends the frames in order; returns how many were acknowledged before the first silence.
  std::size_t send(const std::vector<Bytes>& frames) {
    std::size_t acknowledged = 0;
    for (const auto& f : frames) {
      if (phone->receive(f) != kAck) break;
      ++acknowledged;
    }
    return acknowledged;
  }

  void restart() { phone = std::make_unique<sim::VirtualPhone>(sim::PhoneOptions{"LG U8120", "1", storage.path(), 0}); }

  TempDir storage;
  std::unique_ptr<sim::VirtualPhone> phone =
      std::make_unique<sim::VirtualPhone>(sim::PhoneOptions{"LG U8120", "1", storage.path(), 0});
};

TEST_F(UploadService, RefusesInconsistentFrames) {
  // n = 10: the first frame's fields start at 14 (block length), 16 (folder length byte),
  // 30 (size), 34 (offset), 38 (block number).
  struct Case {
    const char* what;
    std::size_t frame;  // which frame to spoil
    std::function<void(Bytes&)> spoil;
  };
  const std::vector<Case> cases{
      {"block length one more", 0, [](Bytes& f) { f[14] = as_char(byte_at(f, 14) + 1); }},
      {"folder length byte", 0, [](Bytes& f) { f[16] = 6; }},
      {"file size changed", 5, [](Bytes& f) { f[30] = as_char(byte_at(f, 30) + 1); }},
      {"second block number", 5, [](Bytes& f) { f[38] = 3; }},
      {"last block sent as 20 05", 5, [](Bytes& f) { f[10] = 0x05; }},
      {"final frame too early", 3, [](Bytes& f) { f[0] = as_char(0x83); f[3] = 0x70; }},
      {"continuation too long", 2,
       [](Bytes& f) {
         f.insert(100, "zz");
         set_be16(f, 1, get_be16(f, 1) + 2);
         set_be16(f, 4, get_be16(f, 4) + 2);
       }},
  };
  const Bytes content = pattern(4060 + 2000);  // a full block and a last block of 2000
  for (const auto& c : cases) {
    restart();  // a spoiled length leaves the line out of step
    auto frames = frames_for("Java", "05.jar", content);
    ASSERT_EQ(frames.size(), 8u);
    c.spoil(frames[c.frame]);
    EXPECT_EQ(send(frames), c.frame) << c.what;
    EXPECT_FALSE(std::filesystem::exists(storage / "Java/05.jar")) << c.what;
  }
}

TEST_F(UploadService, NamesMayNotLeaveTheStorage) {
  struct Case {
    const char* folder;
    const char* name;
    const char* lands;  // nullptr: refused
  };
  const std::vector<Case> cases{
      {"Audio", "../MessageTone/Message1.mid", "MessageTone/Message1.mid"},
      {"Java", "../../escape.jar", nullptr},
      {"Unknown", "a.jar", nullptr},
  };
  for (const auto& c : cases) {
    const auto frames = frames_for(c.folder, c.name, pattern(100));
    EXPECT_EQ(send(frames), c.lands ? 1u : 0u) << c.name;
    if (c.lands) {
      EXPECT_EQ(read_file(storage / c.lands), pattern(100)) << c.name;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(storage.path().parent_path() / "escape.jar"));
}

}  // namespace
}  // namespace lg81xx::testing
