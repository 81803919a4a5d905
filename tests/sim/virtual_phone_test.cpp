// The virtual phone refuses a name it could not hold or that would leave its folder, never
// mangles it; a busy phone starts nothing. (The names it lists and stores as each family
// writes them show in the command line's runs on both families.)
#include <gtest/gtest.h>

#include "base/text_encoding.h"
#include "link/request_frame.h"
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
      {kU8130, Bytes("\x3C\xD8"
                     "a\0",
                     4)},  // a lone surrogate
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
