// The fixed-frame senders, the lamp and the keep-alive timer.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

class Senders : public FormFixture {
 protected:
  void SetUp() override {
    port.open("/dev/ttyS0");
    ui.on_repaint = [this] { lamp_at_repaint.push_back(form.ledr.visible); };
  }
  std::vector<bool> lamp_at_repaint;
};

TEST_F(Senders, EachWritesItsFrameWaitsItsTimeAndLeavesTheLampAsTabled) {
  struct Case {
    const char* name;
    Bytes (Form1::*send)();
    const Bytes SessionFrames::*frame;
    std::int64_t wait_ms;
    bool red_repaint_before_wait;  // lamp shown and drawn before the sleep
  };
  const Case cases[] = {
      {"query_imei", &Form1::query_imei, &SessionFrames::imei_query_frame, 400, false},
      {"enter_obex_mode", &Form1::enter_obex_mode, &SessionFrames::obex_mode_frame, 300, true},
      {"request_phone_info", &Form1::request_phone_info, &SessionFrames::phone_info_frame, 300, true},
      {"request_root_list", &Form1::request_root_list, &SessionFrames::root_list_frame, 50, true},
      {"send_keep_alive", &Form1::send_keep_alive, &SessionFrames::keep_alive_frame, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    port.written.clear();
    lamp_at_repaint.clear();
    bool red_during_wait = false;
    port.on_write = [&](const Bytes&) {
      red_during_wait = form.ledr.visible;
      port.arrive("reply", c.wait_ms - 1);
    };
    const auto start = clock.now_ms();
    const Bytes reply = (form.*c.send)();
    EXPECT_EQ(clock.now_ms() - start, c.wait_ms);
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], form.frames.*c.frame);
    EXPECT_FALSE(form.ledr.visible);
    EXPECT_EQ(!lamp_at_repaint.empty() && lamp_at_repaint.front(), c.red_repaint_before_wait);
    // query_imei shows the lamp too, only without drawing it at once.
    EXPECT_EQ(red_during_wait, c.red_repaint_before_wait || c.send == &Form1::query_imei);
    // The keep-alive drops its answer; the others hand it back unchanged.
    EXPECT_EQ(reply, c.send == &Form1::send_keep_alive ? "" : "reply");
  }
}

class KeepAlive : public FormFixture {};

TEST_F(KeepAlive, IsSilentWhileBusyOrClosed) {
  form.link_busy = true;
  port.open("/dev/ttyS0");
  form.Timer1_Timer();
  port.close();
  form.link_busy = false;
  form.Timer1_Timer();
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(port.writes_while_closed, 0);
  EXPECT_EQ(clock.now_ms(), 0);
}

TEST_F(KeepAlive, IdleTickSendsTheKeepAliveAndEndsGreen) {
  port.open("/dev/ttyS0");
  form.link_busy = false;
  for (bool red_before : {false, true}) {
    form.ledr.visible = red_before;
    bool red_during = false;
    port.on_write = [&](const Bytes&) { red_during = form.ledr.visible; };
    form.Timer1_Timer();
    EXPECT_EQ(red_during, !red_before) << "the tick toggles the lamp before sending";
    EXPECT_FALSE(form.ledr.visible);
  }
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83001170000EFF7DDF00A101000008007E");
  EXPECT_EQ(clock.now_ms(), 200);
}

}  // namespace
}  // namespace lg81xx::testing
