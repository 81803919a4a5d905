// "INVIA" over a scripted port: the requests of both procedures byte for byte, the
// manifest, the messages, and how the window is left however the install ends.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/escaping.h"
#include "phone/frames/manifest.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);
const Bytes kJad = "MIDlet-Name: Demo\r\nMIDlet-Version: 1.0\r\nmidlet-jar-size: 1234\r\nMIDlet-Jar-URL: demo.jar\r\n";
const Bytes kJar = Bytes("PK\x03\x04\x7E\x7D\xFF", 7) + Bytes(500, 'j');

// A single-frame upload's data: after the header (n + 32 bytes), before the final 7E.
Bytes upload_data(const Bytes& frame, std::size_t n) { return frame.substr(n + 32, frame.size() - n - 33); }

class Install : public FormFixture {
 protected:
  Install() {
    port.open("COM1");
    form.link_busy = false;
    form.jad_data = kJad;
    form.jar_data = kJar;
    form.Label8.caption = "demo.jar";
    form.set_Text1("5");
    port.on_write = [this](const Bytes& frame) {
      if (!refuse || !refuse(frame)) port.arrive(kAck, 30);
    };
  }

  // Checks the window after any end of the install.
  void expect_window_released() {
    EXPECT_FALSE(form.link_busy);
    EXPECT_FALSE(ui.busy);
  }

  std::function<bool(const Bytes&)> refuse;
};

TEST_F(Install, EightBitProcedureSendsItsRequestsInOrder) {
  form.Combo1.text = "LG U8120";
  form.Command3_Click();

  ASSERT_EQ(port.written.size(), 6u);
  const auto& w = port.written;
  EXPECT_EQ(upload_data(w[0], 10), kJad);
  EXPECT_EQ(w[0].substr(16, 14), Bytes("\x05Java\0\x07" "05.jad\0", 14));
  EXPECT_EQ(bin_to_hex(w[1]), "83001170000EFF7DDF00A102000008007E");
  EXPECT_EQ(upload_data(w[2], 10), escaped(kJar));
  EXPECT_EQ(w[2].substr(16, 14), Bytes("\x05Java\0\x07" "05.jar\0", 14));
  EXPECT_EQ(upload_data(w[3], 10), "MIDlet-Name: Demo\r\nMIDlet-Version: 1.0\r\n\r\n");
  EXPECT_EQ(w[3].substr(16, 14), Bytes("\x05Java\0\x07" "05.mnf\0", 14));
  EXPECT_EQ(bin_to_hex(w[4]), "830024700021FF7DDF208905" "00001B00054A617661000C636F6E74656E74496E666F007E");
  EXPECT_EQ(bin_to_hex(w[5]), "83002170001EFF7DDF208906" "00001800054A6176610009707573686C697374007E");
  EXPECT_EQ(w[1].size(), 17u);
  EXPECT_EQ(w[4].size(), 36u);
  EXPECT_EQ(w[5].size(), 33u);

  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadTerminato, MessageStyle::information, "JAVA OK"}}));
  EXPECT_EQ(form.Text1.text, "05");
  EXPECT_EQ(form.Label5.caption, "100%");
  EXPECT_EQ(form.Label8.caption, "");
  EXPECT_EQ(form.last_result, JobResult::ok);
  expect_window_released();
}

TEST_F(Install, Utf16ProcedureSendsItsRequestsInOrder) {
  form.Combo1.text = "LG U8138";
  form.Command3_Click();

  ASSERT_EQ(port.written.size(), 6u);
  const auto& w = port.written;
  const std::string java16 = bin_to_hex(utf16le("Java"));
  EXPECT_EQ(bin_to_hex(w[0]), "83001B700018FF7DDF2088060000120005" + java16 + "007E");
  const Bytes folder = Bytes("\x05", 1) + utf16le("Java") + Bytes(2, '\0');
  for (const auto& [index, name] : {std::pair{1, "05.jad"}, {2, "05.jar"}, {3, "05.mnf"}}) {
    EXPECT_EQ(w[index].substr(16, 11), folder) << name;
    EXPECT_EQ(w[index].substr(27, 15), Bytes("\x07", 1) + utf16le(name) + Bytes(2, '\0')) << name;
    EXPECT_EQ(byte_at(w[index], 11), 6 + index) << name;
  }
  EXPECT_EQ(upload_data(w[1], 22), kJad);
  EXPECT_EQ(upload_data(w[2], 22), escaped(kJar));
  EXPECT_EQ(upload_data(w[3], 22), "MIDlet-Name: Demo\r\nMIDlet-Version: 1.0\r\n");
  EXPECT_EQ(bin_to_hex(w[4]), "830035700032FF7DDF20890A00002C0005" + java16 + "00000C" +
                                  bin_to_hex(utf16le("contentInfo")) + "00007E");
  EXPECT_EQ(bin_to_hex(w[5]), "83002F70002CFF7DDF20890B0000260005" + java16 + "000009" +
                                  bin_to_hex(utf16le("pushlist")) + "00007E");
  EXPECT_EQ(w[0].size(), 27u);
  EXPECT_EQ(w[4].size(), 53u);
  EXPECT_EQ(w[5].size(), 47u);

  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadCompletato, MessageStyle::information, "JAVA OK"}}));
  expect_window_released();
}

TEST_F(Install, AnyUnacknowledgedStepEndsWithTheMessage) {
  const Message engine{text::kNoReply, MessageStyle::plain, ""};
  const Message handler{text::kNoReply, MessageStyle::critical, "ERRORE"};
  auto named = [](std::string_view name) {
    return [n = std::string(name)](const Bytes& f) {
      return f.find(n) != Bytes::npos || f.find(utf16le(n)) != Bytes::npos;
    };
  };
  struct Case {
    const char* model;
    std::function<bool(const Bytes&)> refuse;
    std::size_t writes;
    std::vector<Message> messages;
    bool label8_kept;
  };
  const std::vector<Case> cases{
      {"LG U8110", named("05.jad"), 1, {engine}, false},  // the engine's message alone
      {"LG U8110", named("05.jar"), 3, {engine, handler}, true},
      {"LG U8110", named("pushlist"), 6, {handler}, true},
      {"LG U8130", [](const Bytes& f) { return byte_at(f, 10) == 0x88; }, 1, {handler}, true},
      {"LG U8130", named("05.jad"), 2, {engine, handler}, true},
  };
  for (const auto& c : cases) {
    port.written.clear();
    ui.messages.clear();
    form.Label8.caption = "demo.jar";
    form.Combo1.text = c.model;
    refuse = c.refuse;
    form.Command3_Click();
    EXPECT_EQ(port.written.size(), c.writes) << c.model << " " << c.writes;
    EXPECT_EQ(ui.messages, c.messages) << c.model << " " << c.writes;
    EXPECT_EQ(form.Label8.caption.empty(), !c.label8_kept) << c.model << " " << c.writes;
    EXPECT_NE(form.last_result, JobResult::ok);
    expect_window_released();
  }
}

TEST_F(Install, InputsThatCannotBeInstalledAreRefusedBeforeAnythingIsSent) {
  struct Case {
    const char* model;
    const char* position;
    bool files;
    bool open;
    const char* message;
  };
  const std::vector<Case> cases{
      {"LG U8139", "05", true, true, text::kUnknownModel},
      {"LG U8120", "123", true, true, text::kBadPosition},
      {"LG U8130", " 5", true, true, text::kBadPosition},
      {"LG U8130", "05", false, true, text::kNoSelection},
      {"LG U8130", "05", true, false, text::kNotConnected},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    form.Combo1.text = c.model;
    form.Text1.text = c.position;
    form.jad_data = c.files ? kJad : "";
    if (!c.open) port.close();
    form.link_busy = !c.open;
    form.Command3_Click();
    EXPECT_TRUE(port.written.empty()) << c.model << " '" << c.position << "'";
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, c.message) << c.model << " '" << c.position << "'";
    EXPECT_EQ(form.Text1.text, c.position);
    EXPECT_EQ(form.link_busy, !c.open);
    EXPECT_FALSE(ui.busy);
    EXPECT_EQ(form.last_result, c.open ? JobResult::bad_input : JobResult::not_connected);
  }
}

TEST(Manifest, CutsAtTheJarSizeWhateverItsCase) {
  struct Case {
    Bytes jad;
    Family family;
    Bytes manifest;
  };
  const std::vector<Case> cases{
      {"A: 1\r\nMIDlet-Jar-Size: 9\r\nB: 2\r\n", Family::u813, "A: 1\r\n"},
      {"A: 1\r\nMIDLET-JAR-SIZE: 9\r\n", Family::u811_u812, "A: 1\r\n\r\n"},
      {"MIDlet-Jar-Size: 9\r\n", Family::u813, ""},
      {"A: 1\r\nB: 2\r\n", Family::u813, "A: 1\r\nB: 2\r\n"},  // no size line: the whole descriptor
      {Bytes("A\0\x1A: 1\r\nMIDlet-Jar-Size", 23), Family::u813, Bytes("A\0\x1A: 1\r\n", 8)},
  };
  for (const auto& c : cases) EXPECT_EQ(manifest_from(c.jad, c.family), c.manifest) << c.jad;
}

}  // namespace
}  // namespace lg81xx::testing
