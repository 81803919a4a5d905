// Installs in real time with the fast waits: what the phone stores must be byte for byte
// what was chosen.
#include <random>

#include "phone/frames/descriptor.h"
#include "phone/frames/manifest.h"
#include "real_line_form.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad = "MIDlet-Name: Demo\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: demo.jar\r\n";

class UploadEndToEnd : public ::testing::Test, protected RealLineForm {
 protected:
  UploadEndToEnd() {
    form.set_fast(true);
    write_file(home / "demo.jad", kJad);
  }
  void choose_and_install() {
    ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
    form.load_application();
    form.set_position_text("05");
    form.install_application();
  }
  Bytes stored(const std::string& path) const { return read_file(storage / path); }
};

TEST_F(UploadEndToEnd, U813InstallWithEmulationClasses) {
  const ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"Demo.class", "demo"}};
  ASSERT_TRUE(make_jar(home / "demo.jar", original));
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "canvas");
  form.set_nokia(true);
  connect("LG U8130", start_sim("LG U8130"));

  choose_and_install();
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadCompletato, MessageStyle::information, "JAVA OK"}}));
  // The descriptor sent states the size of the enlarged JAR.
  EXPECT_EQ(stored("Java/05.jad"), with_jar_size(kJad, stored("Java/05.jar").size()));
  EXPECT_EQ(read_file(home / "demo.jad"), kJad);
  EXPECT_EQ(stored("Java/05.mnf"), manifest_from(kJad, Family::u813));
  ZipEntries expected = original;
  expected["com/nokia/mid/ui/FullCanvas.class"] = "canvas";
  EXPECT_EQ(jar_entries(stored("Java/05.jar")), expected);
}

TEST_F(UploadEndToEnd, U811InstallOfALargeJar) {
  std::mt19937 random(7);
  Bytes payload(300 * 1024, '\0');
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = as_char(static_cast<unsigned>(i < 256 ? i : random()));
  ASSERT_TRUE(make_jar(home / "demo.jar", {{"data.bin", payload}}));
  const Bytes jar = read_file(home / "demo.jar");
  const Bytes jad = with_jar_size(kJad, jar.size());
  write_file(home / "demo.jad", jad);
  phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8120", "359999000011112", storage.path(), 0});
  connect("LG U8120", phone->device_path());

  choose_and_install();
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadTerminato, MessageStyle::information, "JAVA OK"}}));
  EXPECT_EQ(stored("Java/05.jad"), jad);
  EXPECT_TRUE(stored("Java/05.jar") == jar);
  EXPECT_EQ(stored("Java/05.mnf"), manifest_from(jad, Family::u811_u812));
}

}  // namespace
}  // namespace lg81xx::testing
