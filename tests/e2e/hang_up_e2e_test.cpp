// The line pulled in the middle of an install and of a download: the job says the
// connection is lost, the port is closed, nothing is reported as done, no file is left
// behind, and a new line connects again.
#include "real_line_form.h"

namespace lg81xx::testing {
namespace {

class HangUpEndToEnd : public ::testing::Test, protected RealLineForm {
 protected:
  // Connects over a new line, then has the phone hang up at its third request.
  void connect_and_hang_up_at_third_request() {
    connect_new_line();
    sim::Faults f;
    f.fault_at = 3;
    f.fault = sim::ReplyFault::hang_up;
    phone->with_phone([f](sim::VirtualPhone& p) { p.set_faults(f); });
  }
  void connect_new_line() {
    phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8130", "354321098765432", storage.path(), 0});
    form.Combo1.text = "LG U8130";
    form.Combo2.text = phone->device_path();
    form.Command1_Click();  // after a half-done install this may warn about the position
    ASSERT_TRUE(port.is_open());
    ASSERT_EQ(form.last_result, JobResult::ok);
    ui.messages.clear();
  }
  void expect_lost_then_reconnect() {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, text::kLinkLost);
    EXPECT_EQ(form.last_result, JobResult::link_lost);
    EXPECT_FALSE(port.is_open());
    EXPECT_NE(form.Label5.caption, "100%");
    connect_new_line();
    EXPECT_FALSE(form.link_busy);
  }
};

TEST_F(HangUpEndToEnd, InTheMiddleOfAnInstall) {
  connect_and_hang_up_at_third_request();  // a JAR block
  form.jad_data = "MIDlet-Name: Demo\r\nMIDlet-Jar-Size: 3000\r\n";
  form.jar_data = Bytes(3000, 'j');
  form.set_Text1("05");
  form.Command3_Click();
  expect_lost_then_reconnect();
  EXPECT_FALSE(std::filesystem::exists(storage / "Java/05.mnf"));
}

TEST_F(HangUpEndToEnd, InTheMiddleOfADownload) {
  Bytes big;
  for (int i = 0; i < 6000; ++i) big.push_back(as_char(static_cast<unsigned>(i * 13)));
  write_file(storage / "Images/big.jpg", big);
  connect_and_hang_up_at_third_request();  // the second block
  const auto target = home / "saved.jpg";
  form.List1.items = {"Images"};
  form.List1.list_index = 0;
  form.List2.items = {"big.jpg"};
  form.List2.list_index = 0;
  ui.dialog_answers = {target.string()};
  form.Command7_Click();
  EXPECT_FALSE(std::filesystem::exists(target));
  expect_lost_then_reconnect();
}

}  // namespace
}  // namespace lg81xx::testing
