// The virtual phone refuses a name it could not hold or that would leave its folder, never
// mangles it, and never reads or writes through a link nor makes a folder; a busy phone starts
// nothing; a request that stops coming does not hold it. (The names it lists and stores as each family
// writes them show in the command line's runs on both families.)
#include <gtest/gtest.h>

#include <algorithm>

#include "base/text_encoding.h"
#include "link/request_frame.h"
#include "link/session_frames.h"
#include "phone/frames/download_requests.h"
#include "phone/frames/upload_frames.h"
#include "support/temp_dir.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

using std::string_literals::operator""s;

struct Family {
  std::string model;
  std::string folder;
  bool wide;
};
const Family kU8130{"LG U8130", "Audios", true};
const Family kU8110{"LG U8110", "Audio", false};

Bytes wire(const Family& f, const std::string& utf8) {
  return *(f.wide ? utf8_to_utf16le(utf8) : utf8_to_windows1252(utf8));
}
unsigned units(const Family& f, const Bytes& wire_name) {
  return static_cast<unsigned>(wire_name.size() / (f.wide ? 2 : 1));
}
Bytes terminator(const Family& f) { return Bytes(f.wide ? 2 : 1, '\0'); }

// The requests, with the file name as sent (without terminator).
Bytes listing_request(const Family& f) {
  return command_request(0x2083, 1, "\0\0\x3F\0\x0E"s + wire(f, f.folder) + "\0\0"s);
}
Bytes upload_frame(const Family& f, const Bytes& file, const Bytes& content) {
  const Bytes folder = wire(f, f.folder);
  UploadFrames upload({folder + terminator(f), file + terminator(f), static_cast<std::uint8_t>(units(f, folder) + 1),
                       static_cast<std::uint8_t>(units(f, file) + 1)},
                      content);
  return upload.next([] { return 1u; }).bytes;
}
// A name of a download request: its units + 1, the name as sent, its terminator.
Bytes get_name_field(const Family& f, const Bytes& wire_name) {
  return static_cast<char>(units(f, wire_name) + 1) + wire_name + terminator(f);
}
Bytes file_get(const Family& f, const Bytes& file) {
  return get_request(get_name_field(f, wire(f, f.folder)) + get_name_field(f, file), 2);
}

class VirtualPhoneTest : public ::testing::Test {
 protected:
  sim::VirtualPhone& phone(const Family& f) {
    phone_ = std::make_unique<sim::VirtualPhone>(sim::PhoneOptions{f.model, "354321098765432", storage.path(), 0});
    return *phone_;
  }
  bool logged(const std::string& part) const {
    const auto& log = phone_->context().log_lines();
    return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.find(part) != l.npos; });
  }
  TempDir storage;
  std::unique_ptr<sim::VirtualPhone> phone_;
};

// Names that decode land as they are (the command line's put and get show it); these are
// the ones the phone could not hold or that would leave its folder.
TEST_F(VirtualPhoneTest, UploadsAndDownloadsRefuseNamesItCannotHold) {
  const std::string beside_storage = storage.path().string() + "-evil";  // Audio/../../<storage>-evil
  struct Row {
    Family family;
    Bytes file;  // as sent, without terminator
  };
  const Row rows[] = {
      {kU8130, Bytes("\x3C\xD8\x61\0", 4)},  // a lone surrogate
      {kU8110, "a:b"},
      {kU8110, "../../" + std::filesystem::path(beside_storage).filename().string()},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.file));
    auto& p = phone(r.family);
    EXPECT_EQ(p.receive(upload_frame(r.family, r.file, "content")), Bytes());
    EXPECT_EQ(p.receive(file_get(r.family, r.file)).substr(0, 3), "\x49\x00\x0F"s);  // no such file
  }
  EXPECT_FALSE(std::filesystem::exists(beside_storage));
}

// A file is reached from the storage folder one folder at a time: through a link on the
// way or at the name, or a folder that is not there, an upload is refused (no answer) and
// nothing is written or made, and a download finds no such file.
TEST_F(VirtualPhoneTest, UploadsAndDownloadsNeverFollowALinkNorMakeAFolder) {
  namespace fs = std::filesystem;
  TempDir outside;
  write_file(outside / "kept.txt", "kept");
  fs::create_directories(storage / kU8110.folder);
  fs::create_directory_symlink(outside.path(), storage / kU8110.folder / "out");
  fs::create_symlink(outside / "kept.txt", storage / kU8110.folder / "kept.txt");
  fs::create_directory_symlink(outside.path(), storage / kU8130.folder);  // the phone's folder itself
  struct Row {
    Family family;
    std::string file;
    bool stored;
  };
  const Row rows[] = {
      {kU8110, "out/pwn.txt", false},
      {kU8110, "out/kept.txt", false},
      {kU8110, "kept.txt", false},
      {kU8110, "sub/dir/deep.txt", false},
      {kU8130, "kept.txt", false},
      {kU8110, "fine.txt", true},  // the same frames land where they may
      {kU8110, "../MessageTone/a.mid", true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.file);
    auto& p = phone(r.family);
    EXPECT_EQ(p.receive(upload_frame(r.family, wire(r.family, r.file), "new")), r.stored ? "\xA0\x00\x03"s : Bytes());
    const Bytes got = p.receive(file_get(r.family, wire(r.family, r.file)));
    EXPECT_TRUE(r.stored ? got.find("new") != Bytes::npos : got.starts_with("\x49\x00\x0F"s));  // no such file
  }
  EXPECT_EQ(read_file(storage / kU8110.folder / "fine.txt"), "new");
  EXPECT_EQ(read_file(storage / "MessageTone" / "a.mid"), "new");  // the system sounds' folder is the phone's own
  EXPECT_EQ(std::distance(fs::directory_iterator(outside.path()), fs::directory_iterator()), 1);
  EXPECT_EQ(read_file(outside / "kept.txt"), "kept");
  EXPECT_FALSE(fs::exists(storage / kU8110.folder / "sub"));
}

// A request that stops coming is dropped, with a log line, a second after its first byte
// (on a paced line, plus the line time of what it announces, at most a largest packet);
// the next request is answered.
TEST_F(VirtualPhoneTest, ARequestThatStopsComingIsDroppedInTime) {
  const Bytes keep_alive = make_session_frames().keep_alive_frame;
  const Bytes listing = listing_request(kU8130);
  const Bytes wedge = "\x83\xFF\xFF"s;  // announces 65,535 bytes
  struct Row {
    int baud;
    Bytes first;
    std::int64_t gap_ms;
    Bytes then;
    bool dropped;
  };
  const Row rows[] = {
      {0, wedge, 1001, keep_alive, true},
      {0, keep_alive.substr(0, 5), 1000, keep_alive.substr(5), false},  // slow, but within its second
      {300, listing.substr(0, 5), 2000, listing.substr(5), false},      // its line time at 300 baud comes on top
      {9600, wedge, 2068, keep_alive, true},    // a largest packet's 1067 ms on top, not the 68 s announced
      {9600, "AT+CG", 1010, keep_alive, true},  // an AT command announces nothing: its own 5 ms on top
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.baud);
    VirtualClock clock;
    auto& p = phone(kU8130);
    p.set_clock(clock);
    p.set_baud(r.baud);
    EXPECT_EQ(p.receive(r.first), Bytes());
    clock.advance_ms(r.gap_ms);
    EXPECT_EQ(byte_at(p.receive(r.then), 0), 0xA0);
    EXPECT_EQ(logged("incomplete request dropped"), r.dropped);
  }
}

TEST_F(VirtualPhoneTest, ABusyPhoneStartsNothing) {
  write_file(storage / kU8130.folder / "a.txt", "content");
  auto& p = phone(kU8130);
  p.set_faults({.busy_listings = 1, .busy_uploads = 1, .busy_downloads = 1});
  struct Row {
    Bytes request;
    Bytes busy;
  };
  const Row rows[] = {
      {listing_request(kU8130), "\xD3\x00\x03"s},
      {file_get(kU8130, wire(kU8130, "a.txt")), "\xD3\x00\x05\xFF\x7E"s},
      {upload_frame(kU8130, wire(kU8130, "b.txt"), "new"), "\xD3\x00\x03"s},  // last: b.txt stays absent till then
  };
  for (const auto& r : rows) {
    EXPECT_EQ(p.receive(r.request), r.busy);
    EXPECT_FALSE(std::filesystem::exists(storage / kU8130.folder / "b.txt"));
    EXPECT_EQ(byte_at(p.receive(r.request), 0), 0xA0);  // asked again: served
  }
  EXPECT_EQ(read_file(storage / kU8130.folder / "b.txt"), "new");
}

}  // namespace
}  // namespace lg81xx::testing
