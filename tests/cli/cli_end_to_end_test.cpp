// lg81xx-cli as a program: each command against the built-in virtual phone (--port sim)
// and against lg81xx-sim on a pseudo-terminal, with the exit status of every outcome.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <sstream>

#include "name_escapes.h"
#include "run_program.h"
#include "sample_content.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const fs::path kCli = LG81XX_CLI_BINARY;
const fs::path kSim = LG81XX_SIM_BINARY;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// `size` bytes in which every byte value comes once in each run of 256.
Bytes every_byte_value(std::size_t size, int seed) {
  Bytes bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) & 0xFF);
  return bytes;
}

class CliEndToEnd : public ::testing::Test {
 protected:
  // The user's data folder, where a sound replaced keeps the phone's own: this test's.
  CliEndToEnd() { setenv("XDG_DATA_HOME", (home / "data").c_str(), 1); }

  // Runs lg81xx-cli in `work` with its program folder in `home`. --fast keeps the runs
  // short where the fixed waits are not what is tested.
  RunResult cli(const std::vector<std::string>& args, const std::string& model = "LG U8130",
                const std::string& port = "sim") {
    std::vector<std::string> all{"--home", home.path().string(), "--port", port, "--model", model, "--fast"};
    all.insert(all.end(), args.begin(), args.end());
    auto r = run_program(kCli, all, work.path());
    if (r.status < 0) ADD_FAILURE() << "lg81xx-cli did not exit normally\n" << r.err;
    return r;
  }
  fs::path storage(const std::string& model = "LG-U8130") { return home / "virtual-phone" / model; }

  TempDir home;
  TempDir work;
};

TEST_F(CliEndToEnd, ListingAndItsTrace) {
  const auto trace = work / "trace.txt";
  const auto r = cli({"--trace", trace.string(), "ls", "Images"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines_of(r.out), std::vector<std::string>{"lago.jpg"});
  const auto lines = lines_of(read_file(trace));  // the golden transcripts pin its form
  // The listing request of Images (command 20 83) went out and was answered.
  const auto request = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return has(l, "-> 83 00 24 70 00 21 FF 7D DF 20 83"); });
  ASSERT_LT(request + 1, lines.end());
  EXPECT_TRUE(has(request[1], "<-"));
}

TEST_F(CliEndToEnd, InstallFillsTheGapAndReplacesOnlyWhenTold) {
  fs::path jad, jar;
  ASSERT_TRUE(sim::write_sample_midlet(work.path(), jad, jar));
  // Applications at 01 and 03: 02 was removed on the phone.
  ASSERT_TRUE(sim::fill_sample_content(storage(), "LG U8130"));
  for (const std::string nn : {"01", "03"})
    for (const std::string extension : {".jad", ".jar", ".mnf"})
      write_file(storage() / "Java" / (nn + extension), nn + extension);
  const auto install = [&](const std::vector<std::string>& options) {
    std::vector<std::string> args{"install", jad.string(), jar.string()};
    args.insert(args.end(), options.begin(), options.end());
    return cli(args);
  };

  auto r = install({});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "at position 02")) << r.out;
  EXPECT_EQ(read_file(storage() / "Java" / "02.jad"), read_file(jad));
  EXPECT_EQ(read_file(storage() / "Java" / "02.jar"), read_file(jar));

  r = install({"--position", "03"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(has(r.err, "POSIZIONE GIÀ OCCUPATA: sostituire l'applicazione in 03?")) << r.err;
  EXPECT_TRUE(has(r.err, "--replace")) << r.err;
  EXPECT_EQ(read_file(storage() / "Java" / "03.jad"), "03.jad");
  r = install({"--position", "03", "--replace"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(storage() / "Java" / "03.jad"), read_file(jad));
}

// Names beyond ASCII, a one-letter name and a name with a newline, on both families:
// plain ls shows each on one line, --json carries the exact names, and a get of each,
// typed as ls shows it, brings the very bytes the phone holds.
TEST_F(CliEndToEnd, NamesAsPeopleWriteThemOnBothFamilies) {
  const std::pair<std::string, std::string> phones[] = {{"LG U8130", "Audios"}, {"LG U8120", "Audio"}};
  for (const auto& [model, folder] : phones) {
    const fs::path phone = storage("LG-" + model.substr(3));
    ASSERT_TRUE(sim::fill_sample_content(phone, model));
    write_file(phone / folder / "due\nrighe.txt", "two lines");

    const auto ls = cli({"ls", folder}, model);
    ASSERT_EQ(ls.status, 0) << ls.err;
    const std::vector<std::string> shown{"X",           "città.jpg",    R"(due\nrighe.txt)",
                                         "melodia.mid", "perché è.mid", "€uro.txt"};
    EXPECT_EQ(lines_of(ls.out), shown) << model;
    const auto json = cli({"ls", folder, "--json"}, model);
    EXPECT_TRUE(has(json.out, R"(["X", "città.jpg", "due\nrighe.txt", "melodia.mid", "perché è.mid", "€uro.txt"])"))
        << json.out;

    for (const auto& typed : shown) {
      if (typed == "melodia.mid") continue;
      // Each get but the first replaces the copy the one before it saved.
      const auto get = cli({"get", folder, typed, "-o", "copia", "--force"}, model);
      ASSERT_EQ(get.status, 0) << model << " " << typed << "\n" << get.err;
      EXPECT_EQ(read_file(work / "copia"), read_file(phone / folder / *cli::unescaped_name(typed)))
          << model << " " << typed;
      EXPECT_TRUE(has(get.err, "100%")) << get.err;  // the progress, plain lines when not a terminal
    }
  }
}

// Wrong arguments, files and ports: one line on standard error with the next step, the
// status, and nothing sent (the trace stays empty).
TEST_F(CliEndToEnd, BadInputIsRefusedBeforeAnythingIsSent) {
  write_file(work / "a.jad", "MIDlet-Name: a\r\n");
  write_file(work / "a.jar", "PK");
  fs::create_symlink(work / "a.jad", work / "link.jpg");
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"install", "a.jad", "a.jar", "--position", "65"}, 1, "two digits from 00 to 64"},
      {{"install", "a.jad"}, 1, "JAR is required"},
      {{"install", "missing.jad", "a.jar"}, 4, "missing.jad does not exist"},
      {{"sound", "mes9", "a.jad"}, 1, "unknown sound \"mes9\""},
      {{"get", "Images", "../.."}, 1, "gives no usable file name"},
      {{"get", "Images", "lago.jpg", "-o", "no/such/folder/x.jpg"}, 4, "does not exist"},
      {{"get", "Images", "lago.jpg", "-o", "a.jad"}, 1, "a.jad already exists; --force replaces it"},
      {{"get", "Images", "lago.jpg", "-o", "link.jpg", "--force"}, 4, "link.jpg is not a regular file"},
      {{"get", "Images", "lago.jpg", "-o", ""}, 1, "--output: an empty text names no file"},
      {{"get", "Images", "a", "b"}, 1, "several entries go into a folder: name it with -o DIR"},
      {{"--port", "/dev/lg81xx-no-such-port", "info"},
       2,
       "ERRORE: PORTA NON TROVATA: /dev/lg81xx-no-such-port (collegare il telefono o scegliere un'altra porta) "
       "(no such device: plug the phone in, or find its port with lg81xx-cli ports)\n"},
      {{"--port", "COM  21", "info"}, 1, "ERRORE: PORTA COM NON VALIDA"},
      {{"--home", "/proc", "--port", "/dev/null", "info"}, 4, "CARTELLA DEL PROGRAMMA NON SCRIVIBILE: /proc"},
      {{"--trace", "/dev/full", "info"}, 4, "the trace file /dev/full could not be written in full"},
  };
  for (const auto& c : cases) {
    const auto trace = work / "trace.txt";
    fs::remove(trace);
    std::vector<std::string> args{"--trace", trace.string()};  // the case's own --trace wins
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = cli(args);
    const std::string what = c.args.front() + " " + c.args[1];
    EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
    EXPECT_TRUE(has(r.err, c.says)) << what << "\n" << r.err;
    EXPECT_TRUE(!fs::exists(trace) || fs::file_size(trace) == 0) << what;
  }
}

// put sends a file under the name --as gives; a file of that name already on the phone is
// replaced only with --replace.
TEST_F(CliEndToEnd, PutLandsByteIdenticalAndReplacesOnlyWhenTold) {
  const Bytes content = every_byte_value(300 * 1024, 1);
  write_file(work / "dati.bin", content);
  ASSERT_EQ(cli({"put", "Images", "dati.bin", "--as", "è dati.bin"}).status, 0);
  const auto kept = storage() / "Images" / "è dati.bin";
  EXPECT_TRUE(read_file(kept) == content);
  write_file(work / "altro.bin", "altro");
  const auto again = cli({"put", "Images", "altro.bin", "--as", "è dati.bin"});
  EXPECT_EQ(again.status, 1);
  EXPECT_TRUE(has(again.err, "FILE GIÀ PRESENTE SUL TELEFONO")) << again.err;
  EXPECT_TRUE(read_file(kept) == content);
  EXPECT_EQ(cli({"put", "Images", "altro.bin", "--as", "è dati.bin", "--replace"}).status, 0);
  EXPECT_EQ(read_file(kept), "altro");
}

// "v1\n0.bin" makes the file name of v10.bin and is listed before it: the second one saved
// takes a number instead of replacing the first.
TEST_F(CliEndToEnd, BackupNumbersCollidingNames) {
  ASSERT_TRUE(sim::fill_sample_content(storage(), "LG U8130"));
  fs::remove_all(storage() / "Videos");
  write_file(storage() / "Videos" / "v10.bin", "ten");
  write_file(storage() / "Videos" / "v1\n0.bin", "newline");
  const auto r = cli({"get", "Videos", "--all", "-o", "out"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(work / "out" / "v10.bin"), "newline");
  EXPECT_EQ(read_file(work / "out" / "v10 (2).bin"), "ten");
}

// Named entries into a folder made for them, one of them refused: not on the phone.
TEST_F(CliEndToEnd, BackupOfNamedEntries) {
  const auto r = cli({"get", "Images", "lago.jpg", "assente.jpg", "-o", "new/folder"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_TRUE(has(r.err, "IL TELEFONO HA RIFIUTATO LA RICHIESTA")) << r.err;
  EXPECT_TRUE(has(r.err, "1 saved, 1 failed: assente.jpg\n")) << r.err;
  EXPECT_EQ(read_file(work / "new/folder/lago.jpg"), sim::sample_picture());
  EXPECT_FALSE(fs::exists(work / "new/folder/assente.jpg"));
}

TEST_F(CliEndToEnd, PortsAndUnwritableTarget) {
  const auto ports = cli({"ports"});
  EXPECT_EQ(ports.status, 0);
  EXPECT_TRUE(!ports.out.empty() || has(ports.err, "no serial ports found")) << "ports said nothing";
  // /proc exists but takes no new files, whoever runs the test.
  EXPECT_EQ(cli({"get", "Images", "lago.jpg", "-o", "/proc/lg81xx-test.jpg"}).status, 4);
}

TEST_F(CliEndToEnd, DemoGivesEveryExpectedResult) {
  // The demo as the quick start runs it: the fixed waits, the program folder beside it.
  const auto r = run_program(kCli, {"--home", home.path().string(), "demo"}, work.path());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(has(r.out, "every step gave the expected result")) << r.out;
  // Every step ran: connect, list, install, sound, download, disconnect.
  const auto lines = lines_of(r.out);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("   ok:"); }), 6)
      << r.out;
  EXPECT_TRUE(has(r.out, "\n6. Disconnect")) << r.out;
}

// Ctrl-C or SIGTERM in the middle of the demo: its temporary folder goes, and the status
// says which signal ended it.
TEST_F(CliEndToEnd, DemoStoppedBySignalLeavesNothingBehind) {
  TempDir tmp;
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved = old_tmpdir ? old_tmpdir : "";
  setenv("TMPDIR", tmp.path().c_str(), 1);
  for (const int signal : {SIGINT, SIGTERM}) {
    SimProcess demo(kCli.string(), {"--home", home.path().string(), "demo"});  // its first line: the storage
    ASSERT_FALSE(fs::is_empty(tmp.path()));
    const int status = demo.stop(signal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << signal << ": " << status;
    EXPECT_TRUE(fs::is_empty(tmp.path())) << signal;
  }
  if (old_tmpdir)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// lg81xx-sim serves the same phone on a pseudo-terminal: the real serial port path.
class CliOnPseudoTerminal : public CliEndToEnd {
 protected:
  void start(const std::vector<std::string>& options) {
    ASSERT_TRUE(sim::fill_sample_content(phone_storage.path(), "LG U8130"));
    std::vector<std::string> args{"--model", "LG U8130", "--storage", phone_storage.path().string()};
    args.insert(args.end(), options.begin(), options.end());
    phone = std::make_unique<SimProcess>(kSim.string(), args);
  }
  RunResult cli(const std::vector<std::string>& args) {
    return CliEndToEnd::cli(args, "LG U8130", phone->device_path());
  }
  TempDir phone_storage;
  std::unique_ptr<SimProcess> phone;
};

// A backup on a paced line (115200 baud, 64-byte bursts, late answers), the second file
// refused by the phone in the middle of its transfer and the third already saved here: the
// others are saved byte for byte, the two are named, and nothing is replaced.
TEST_F(CliOnPseudoTerminal, BackupGoesOnPastARefusedEntry) {
  const std::pair<const char*, std::size_t> files[] = {
      {"v0.bin", 10}, {"v1.bin", 3000}, {"v2.bin", 20}, {"v3.bin", 17000}};
  for (const auto& [name, size] : files) write_file(phone_storage / "Videos" / name, every_byte_value(size, 0));
  write_file(work / "out" / "v2.bin", "mine");
  // Requests 1-8 connect, 9 lists, 10 fetches v0, 11 asks for v1 and 12 for its next block.
  start({"--fault-at", "12", "--fault", "refusal", "--baud", "115200", "--latency", "5"});
  const auto r = cli({"get", "Videos", "--all", "-o", "out"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_TRUE(has(r.err, "2 saved, 2 failed: v1.bin, v2.bin\n")) << r.err;
  for (const char* name : {"v0.bin", "v3.bin"})
    EXPECT_TRUE(read_file(work / "out" / name) == read_file(phone_storage / "Videos" / name)) << name;
  EXPECT_FALSE(fs::exists(work / "out" / "v1.bin"));
  EXPECT_EQ(read_file(work / "out" / "v2.bin"), "mine");
}

// What each command prints, says and how it exits when the phone is slow, paced to 115200
// baud or misbehaves (the connect takes requests 1 to 8, so a command's own first request
// is 9). Every message comes once; what arrives, on either side, is byte for byte.
TEST_F(CliOnPseudoTerminal, ExitStatusOfEachCommandOnAPhoneThatMisbehaves) {
  write_file(work / "tune.mid", sim::sample_tune(5));
  write_file(phone_storage / "Images" / "grande.bin", every_byte_value(6000, 1));
  fs::path jad, jar;
  ASSERT_TRUE(sim::write_sample_midlet(work.path(), jad, jar));
  struct Case {
    std::vector<std::string> faults;
    std::vector<std::string> command;
    int status;
    const char* says;  // on standard error, once; "" for no error
    const char* prints = "";
  };
  const Case cases[] = {
      {{"--from", "10", "--pieces", "2", "--piece-gap", "450"}, {"get", "Images", "lago.jpg"}, 0, ""},
      {{"--delay", "350"},
       {"info", "--json"},
       0,
       "",
       R"("imei": "354321098765432", "info": "U8130 V10c-EUR", "folders": ["Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"])"},
      {{"--silent-after", "0"}, {"info"}, 2, "IL TELEFONO NON RISPONDE: connessione interrotta alla lettura dell'IMEI"},
      {{"--fault-at", "1", "--fault", "truncated"}, {"info", "--json"}, 0, "", R"("imei": null, "info": "U8130)"},
      {{"--fault-at", "9", "--fault", "wrong-code"}, {"ls", "Images"}, 3, "IL TELEFONO HA RIFIUTATO LA RICHIESTA"},
      {{"--baud", "115200", "--latency", "20"}, {"install", jad.string(), jar.string(), "--position", "05"}, 0, ""},
      {{"--fault-at", "11", "--fault", "hang-up"},
       {"get", "Images", "grande.bin"},
       2,
       "CONNESSIONE CON IL TELEFONO PERSA"},
      {{"--busy", "2"}, {"probe"}, 0, "", "accepted"},
      // Last: each phone started refills the sample sounds.
      {{"--busy-upload", "1"}, {"sound", "mes2", "tune.mid"}, 0, "OPERAZIONE CONCLUSA: SUONO CARICATO..."},
  };
  for (const auto& c : cases) {
    const std::string what = c.command.front() + " with " + c.faults.front() + " " + c.faults.back();
    phone.reset();
    start(c.faults);
    const auto r = cli(c.command);
    EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
    EXPECT_TRUE(has(r.out, c.prints)) << what << "\n" << r.out;
    const std::string says = c.says;
    const auto at = r.err.find(c.says);
    if (says.empty()) {
      EXPECT_FALSE(has(r.err, "ERRORE")) << what << "\n" << r.err;
    } else {
      ASSERT_NE(at, std::string::npos) << what << "\n" << r.err;
      EXPECT_EQ(r.err.find(c.says, at + 1), std::string::npos) << what << ": said twice\n" << r.err;
    }
  }
  EXPECT_EQ(read_file(work / "lago.jpg"), sim::sample_picture());  // no -o: in the current folder
  EXPECT_EQ(read_file(phone_storage / "Java" / "05.jad"), read_file(jad));
  EXPECT_TRUE(read_file(phone_storage / "Java" / "05.jar") == read_file(jar));
  EXPECT_EQ(read_file(phone_storage / "MessageTone" / "Message2.mid"), sim::sample_tune(5));
  EXPECT_FALSE(fs::exists(work / "grande.bin"));
}

}  // namespace
}  // namespace lg81xx::testing
