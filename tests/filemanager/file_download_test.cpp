// "DownLoad": names by family, the arguments handed to the engine, link_busy.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

class FileDownload : public FormFixture {
 protected:
  FileDownload() { port.open("COM1"); }

  void select(const std::string& model, const std::string& folder, const std::string& file) {
    form.Combo1.text = model;
    form.List1.items = {folder};
    form.List1.list_index = 0;
    form.List2.items = {file};
    form.List2.list_index = file.empty() ? -1 : 0;
  }
};

TEST_F(FileDownload, NamesGoInTheFamilysForm) {
  struct Case {
    std::string model, folder, file, get;
  };
  for (const Case& c : {
           // Engine called with 13, 11, 6, 5: UTF-16LE names with the extra 00.
           Case{"LG U8130", "Audios", "a.mid",
                "83002D70002AFF7DDF2086" "02" "0000240007" "41007500640069006F0073000000" "06"
                "61002E006D00690064000000" "7E"},
           // Engine called with 5, 5, 5, 5: 8-bit names.
           Case{"LG U8110", "Audio", "a.mid", "83001F70001CFF7DDF2086" "02" "00001600" "06" "417564696F00" "06" "612E6D696400" "7E"},
       }) {
    SCOPED_TRACE(c.model);
    port.written.clear();
    ui.messages.clear();
    form.frame_seq = 1;
    select(c.model, c.folder, c.file);
    form.Command7_Click();
    ASSERT_FALSE(port.written.empty());
    EXPECT_EQ(bin_to_hex(port.written[0]), c.get);
    // The phone stayed silent: the engine's message, and the flag is clear again.
    EXPECT_EQ(ui.messages.at(0).text, text::kNoReplyDots);
    EXPECT_FALSE(form.link_busy);
  }
}

TEST_F(FileDownload, NamesLongerThanTheOldArraysGoWhole) {
  const std::string file(60, 'x');
  select("LG U8130", "Images", file + ".jpg");
  form.Command7_Click();
  ASSERT_EQ(port.written.size(), 1u);
  const Bytes get = port.written[0];
  EXPECT_EQ(get.size(), 13u + 129u + 21u);
  EXPECT_NE(get.find(utf16le(file + ".jpg") + '\0' + '\0'), Bytes::npos);

  port.written.clear();
  ui.messages.clear();
  select("LG U8110", "Audio", std::string(300, 'y'));
  form.Command7_Click();
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(ui.messages.at(0).text, text::kNameTooLong);
  EXPECT_EQ(form.last_result, JobResult::bad_input);
}

TEST_F(FileDownload, NothingIsSentWithoutASelectionAModelOrAnOpenPort) {
  select("LG U8130", "Images", "");
  form.Command7_Click();
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(ui.messages.empty());

  select("LG U8130", "Images", "a.jpg");
  port.close();
  form.Command7_Click();
  EXPECT_EQ(port.writes_while_closed, 0);
  EXPECT_EQ(ui.messages.at(0).text, text::kNotConnected);
}

}  // namespace
}  // namespace lg81xx::testing
