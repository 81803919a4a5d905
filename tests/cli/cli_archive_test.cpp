// backup, verify, restore and the kept sounds as a person runs them: lg81xx-cli against
// lg81xx-sim on a pseudo-terminal, on both families, and against --port sim.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "jobs/archive_manifest.h"
#include "run_program.h"
#include "sample_content.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/text_lines.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const fs::path kCli = LG81XX_CLI_BINARY;
const fs::path kSim = LG81XX_SIM_BINARY;
constexpr const char* kImei = "354321098765432";

Bytes every_byte_value(std::size_t size) {
  Bytes bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + 5) & 0xFF);
  return bytes;
}

// The GET requests (command 20 86) a trace shows.
int gets_in(const fs::path& trace) {
  std::istringstream in(read_file(trace));
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.size() > 12 && w[1] == "->" && w[11] == "20" && w[12] == "86") ++count;
  }
  return count;
}

class CliArchive : public ::testing::Test {
 protected:
  // The user's data folder, where a sound replaced keeps the phone's own: this test's.
  CliArchive() {
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
  }

  // A phone of `model` on a pseudo-terminal with `storage` as its folders.
  static std::unique_ptr<SimProcess> phone(const std::string& model, const fs::path& storage,
                                           std::vector<std::string> options = {}) {
    std::vector<std::string> args{"--model", model, "--storage", storage.string()};
    args.insert(args.end(), options.begin(), options.end());
    return std::make_unique<SimProcess>(kSim.string(), args);
  }
  RunResult cli(const std::string& port, const std::string& model, const std::vector<std::string>& args) {
    std::vector<std::string> all{"--home", home.path().string(), "--port", port, "--model", model, "--fast"};
    all.insert(all.end(), args.begin(), args.end());
    auto r = run_program(kCli, all, work.path());
    if (r.status < 0) ADD_FAILURE() << "lg81xx-cli did not exit normally\n" << r.err;
    return r;
  }
  // Every file the manifest records is the phone's, byte for byte.
  ArchiveManifest expect_archive_of(const fs::path& storage) {
    const auto manifest = parse_manifest(read_file(archive / "manifest.json"));
    EXPECT_TRUE(manifest);
    if (!manifest) return {};
    for (const auto& f : manifest->files)
      EXPECT_TRUE(read_file(archive / f.file) == read_file(storage / f.folder / f.name)) << f.file;
    return *manifest;
  }

  TempDir home;
  TempDir work;
  fs::path archive = work / "archivio";
};

// The whole phone saved, then only what is new; verified; a changed byte and a missing file
// named; restored onto an empty phone of the same family, Java aside.
TEST_F(CliArchive, SaveVerifyAndRestoreOnBothFamilies) {
  for (const auto& [model, images] : {std::pair{"LG U8130", "Images"}, std::pair{"LG U8120", "Immagini"}}) {
    fs::remove_all(archive);
    TempDir storage;
    ASSERT_TRUE(sim::fill_sample_content(storage.path(), model));
    write_file(storage / images / "grande.bin", every_byte_value(20000));
    write_file(storage / "Java" / "01.jad", "MIDlet-Name: Saluti\n");
    auto on_line = phone(model, storage.path());
    const std::string port = on_line->device_path();

    auto r = cli(port, model, {"backup", archive.string()});
    ASSERT_EQ(r.status, 0) << model << r.err;
    EXPECT_TRUE(has(r.out, std::string(images) + "/grande.bin (20000 bytes)\n")) << r.out;
    EXPECT_TRUE(has(r.err, "(8 new, 0 already archived, 0 failed)")) << r.err;
    const auto manifest = expect_archive_of(storage.path());
    EXPECT_EQ(manifest.files.size(), 8u);
    EXPECT_EQ(manifest.phone.imei, kImei);

    write_file(storage / images / "nuova.jpg", "new picture");
    const auto trace = work / "trace.txt";
    fs::remove(trace);  // the other family's: a trace never replaces a file unasked
    r = cli(port, model, {"--trace", trace.string(), "backup", archive.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(images) + "/nuova.jpg (11 bytes)\n");
    EXPECT_TRUE(has(r.err, "(1 new, 8 already archived, 0 failed)")) << r.err;
    EXPECT_EQ(gets_in(trace), 1);
    EXPECT_EQ(run_program(kCli, {"verify", archive.string()}, work.path()).status, 0);

    TempDir empty;
    on_line = phone(model, empty.path());
    r = cli(on_line->device_path(), model, {"restore", archive.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.err, "CARTELLA JAVA NON RIPRISTINATA")) << r.err;
    EXPECT_TRUE(has(r.err, "(8 sent, 0 already on the phone")) << r.err;
    write_file(empty / "Java" / "01.jad", "MIDlet-Name: Saluti\n");  // what an install puts back
    expect_archive_of(empty.path());

    Bytes changed = read_file(archive / images / "grande.bin");
    changed[12345] = static_cast<char>(changed[12345] ^ 0x40);
    write_file(archive / images / "grande.bin", changed);
    fs::remove(archive / images / "nuova.jpg");
    r = run_program(kCli, {"verify", archive.string()}, work.path());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "changed " + std::string(images) + "/grande.bin (20000 bytes, 20000 archived)\nmissing " + images +
                         "/nuova.jpg\n");
  }
}

// A backup cut by a hang-up keeps what came whole; the next run fetches the rest.
TEST_F(CliArchive, AHangUpCutsTheBackupAndTheNextRunCompletesIt) {
  TempDir storage;
  ASSERT_TRUE(sim::fill_sample_content(storage.path(), "LG U8130"));
  write_file(storage / "Images" / "grande.bin", every_byte_value(20000));
  // Requests 1-8 connect, 9-14 list the six folders, 15 fetches X and 16-19 città.jpg, the
  // first two files of Audios; the third file's GET pulls the line.
  auto on_line = phone("LG U8130", storage.path(), {"--fault-at", "20", "--fault", "hang-up"});
  auto r = cli(on_line->device_path(), "LG U8130", {"backup", archive.string()});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(has(r.err, "CONNESSIONE CON IL TELEFONO PERSA")) << r.err;
  EXPECT_TRUE(has(r.err, "(2 new, 0 already archived, 5 failed)")) << r.err;
  EXPECT_EQ(expect_archive_of(storage.path()).files.size(), 2u);
  EXPECT_EQ(run_program(kCli, {"verify", archive.string()}, work.path()).status, 0);

  on_line = phone("LG U8130", storage.path());
  r = cli(on_line->device_path(), "LG U8130", {"backup", archive.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.err, "(5 new, 2 already archived, 0 failed)")) << r.err;
  EXPECT_EQ(expect_archive_of(storage.path()).files.size(), 7u);
}

// The built-in phone's own message tone kept before it is replaced, and sent back.
TEST_F(CliArchive, TheOwnSoundIsKeptAndRestored) {
  write_file(work / "nuovo.mid", sim::sample_tune(7));
  const fs::path on_phone = home / "virtual-phone" / "LG-U8130" / "MessageTone" / "Message4.mid";
  auto r = cli("sim", "LG U8130", {"sound", "mes4", "nuovo.mid"});
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path kept = home / "data" / "lg81xx" / "original-sounds" / kImei / "MessageTone" / "Message4.mid";
  EXPECT_TRUE(has(r.err, "SUONO ORIGINALE CONSERVATO: " + kept.string())) << r.err;
  EXPECT_EQ(read_file(on_phone), sim::sample_tune(7));
  const Bytes own = read_file(kept);
  EXPECT_FALSE(own.empty());

  r = cli("sim", "LG U8130", {"sound", "mes4", "--restore"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(on_phone), own);
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"sound", "mes4"}, {"sound", "mes4", "nuovo.mid", "--restore"}})
    EXPECT_EQ(cli("sim", "LG U8130", wrong).status, 1);
}

}  // namespace
}  // namespace lg81xx::testing
