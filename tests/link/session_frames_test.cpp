#include "link/session_frames.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

TEST(SessionFrames, HoldTheTabledBytes) {
  const SessionFrames f = make_session_frames();
  const std::vector<std::pair<const Bytes*, std::string>> expected = {
      {&f.imei_query_frame, "41542B4347534E0D0A00"},
      {&f.obex_mode_frame, "41542A454F4245580D00"},
      {&f.obex_connect_frame, "80001011000400" "4A0009" "4C696E757800"},
      {&f.session_open_frame, "830019700016FF7DDF00810100001000" "656173796D616E00" "7E"},
      {&f.phone_info_frame, "83001170000EFF7DDF008302000008007E"},
      {&f.command_2081_frame, "83001170000EFF7DDF208103000008007E"},
      {&f.root_list_frame, "83001170000EFF7DDF208204000008007E"},
      {&f.keep_alive_frame, "83001170000EFF7DDF00A101000008007E"},
      {&f.empty_body_frame, "830008700005FF7E"},
      {&f.disconnect_frame, "83001170000EFF7DDF00822B000008007E"},
  };
  for (const auto& [frame, hex] : expected) EXPECT_EQ(bin_to_hex(*frame), hex);
}

}  // namespace
}  // namespace lg81xx
