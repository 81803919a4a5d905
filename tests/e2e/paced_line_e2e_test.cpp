// Fast mode on a realistic line: the lg81xx-sim program paced to 115200 baud and thinking
// before every answer. Replies trickle in 64-byte bursts and come late, so a fast wait
// that took a partial reply for a whole one, or dropped bytes between reads, shows up as a
// corrupted or failed transfer.
#include <chrono>
#include <random>

#include "real_line_form.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

Bytes random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(size, '\0');
  for (auto& c : out) c = as_char(static_cast<unsigned>(random()));
  return out;
}

// Seconds that `bytes` take on a 115200-baud line, 10 bits a byte.
double line_seconds(std::size_t bytes) { return static_cast<double>(bytes) / 11520.0; }

class PacedLineEndToEnd : public ::testing::Test, protected RealLineForm {
 protected:
  void connect_paced(const std::string& model, const std::string& latency_ms) {
    form.set_fast(true);
    connect(model, start_sim(model, {"--baud", "115200", "--latency", latency_ms}));
  }
  // Runs `job`, returning the seconds it took.
  template <class F>
  double timed(F job) {
    const auto started = std::chrono::steady_clock::now();
    job();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  }
};

TEST_F(PacedLineEndToEnd, U812DownloadComesBackByteForByte) {
  const Bytes content = random_bytes(17000, 3);  // over four 4,096-byte blocks, ending in a part block
  write_file(storage / "Immagini/paced.bin", content);
  connect_paced("LG U8120", "5");
  open_folder("Immagini");
  form.select_entry(row_of(form.entries(), "paced.bin"));
  ui.dialog_answers = {(home / "saved.bin").string()};

  JobResult result = JobResult::bad_input;
  EXPECT_GE(timed([&] { result = form.download_entry(); }), line_seconds(content.size())) << "the line was not paced";
  EXPECT_EQ(result, JobResult::ok);
  ASSERT_TRUE(std::filesystem::exists(home / "saved.bin"));
  EXPECT_TRUE(read_file(home / "saved.bin") == content);
}

TEST_F(PacedLineEndToEnd, U813InstallStoresTheJarByteForByte) {
  const Bytes jad = "MIDlet-Name: Paced\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-URL: paced.jar\r\n";
  ASSERT_TRUE(make_jar(home / "paced.jar", {{"paced.bin", random_bytes(13000, 5)}}));
  const Bytes jar = read_file(home / "paced.jar");
  write_file(home / "paced.jad", jad);
  connect_paced("LG U8138", "20");
  ui.dialog_answers = {(home / "paced.jad").string(), (home / "paced.jar").string()};
  form.load_application();
  form.set_position_text("05");

  EXPECT_GE(timed([&] { form.install_application(); }), line_seconds(jar.size())) << "the line was not paced";
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "JAVA OK");
  EXPECT_TRUE(read_file(storage / "Java/05.jar") == jar);
  EXPECT_EQ(read_file(storage / "Java/05.jad"), jad);
  EXPECT_TRUE(form.phone().line_free());
}

}  // namespace
}  // namespace lg81xx::testing
