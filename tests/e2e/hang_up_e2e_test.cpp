// The line pulled in the middle of an install and of a download: the job says the
// connection is lost, the port is closed, nothing is reported as done, no file is left
// behind, and a new line connects again.
#include "real_line_form.h"
#include "support/jar_files.h"

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
    form.set_fast(true);  // the fixed waits are not what is tested here
    form.choose_model("LG U8130");
    form.choose_port(phone->device_path());
    ASSERT_EQ(form.connect_or_disconnect(), JobResult::ok);  // after a half-done install it may warn about the position
    ui.messages.clear();
  }
  void expect_lost_then_reconnect(JobResult result) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, text::kLinkLost);
    EXPECT_EQ(result, JobResult::link_lost);
    EXPECT_FALSE(port.is_open());
    EXPECT_NE(form.progress_bar().caption, "100%");
    connect_new_line();
    EXPECT_TRUE(form.phone().line_free());
  }
};

TEST_F(HangUpEndToEnd, InTheMiddleOfAnInstall) {
  write_file(home / "demo.jad", "MIDlet-Name: Demo\r\nMIDlet-Jar-Size: 3000\r\n");
  make_jar(home / "demo.jar", {{"demo.bin", Bytes(3000, 'j')}});
  ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
  form.load_application();
  connect_and_hang_up_at_third_request();  // a JAR block
  form.set_position_text("05");
  expect_lost_then_reconnect(form.install_application());
  EXPECT_FALSE(std::filesystem::exists(storage / "Java/05.mnf"));
}

TEST_F(HangUpEndToEnd, InTheMiddleOfADownload) {
  Bytes big;
  for (int i = 0; i < 6000; ++i) big.push_back(as_char(static_cast<unsigned>(i * 13)));
  write_file(storage / "Images/big.jpg", big);
  connect_and_hang_up_at_third_request();  // the second block
  const auto target = home / "saved.jpg";
  ui.dialog_answers = {target.string()};
  const JobResult result = form.download_named("Images", "big.jpg");
  EXPECT_FALSE(std::filesystem::exists(target));
  expect_lost_then_reconnect(result);
}

}  // namespace
}  // namespace lg81xx::testing
