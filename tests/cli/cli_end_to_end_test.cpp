// lg81xx-cli as a program: each command against the built-in virtual phone (--port sim)
// and against lg81xx-sim on a pseudo-terminal, with the exit status of every outcome.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <map>
#include <sstream>

#include "base/hex_codec.h"
#include "base/name_escapes.h"
#include "link/session_frames.h"
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

// `size` bytes in which every byte value comes once in each run of 256.
Bytes every_byte_value(std::size_t size, int seed) {
  Bytes bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) & 0xFF);
  return bytes;
}

class CliEndToEnd : public ::testing::Test {
 protected:
  // The user's data folder, where a sound replaced keeps the phone's own: this test's, the sessions are recorded.
  CliEndToEnd() {
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
  }
  fs::path sessions() { return home / "state" / "lg81xx" / "sessions"; }

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

// --trace opens its file as get -o saves: a new file, a regular one only with --force, and
// never a link, a FIFO, a device, a folder or a file the command reads (its own inputs, the
// archive's files, the program folder's settings, the kept sounds).
TEST_F(CliEndToEnd, TraceFileOnlyWhereItMayWrite) {
  fs::path jad, jar;
  ASSERT_TRUE(sim::write_sample_midlet(work.path(), jad, jar));
  const std::string midlet = read_file(jad);
  ASSERT_EQ(cli({"backup", "archive", "Images"}).status, 0);
  const fs::path archived = work / "archive" / "Images" / "lago.jpg";
  const fs::path kept =
      home / "data" / "lg81xx" / "original-sounds" / "354321098765432" / "MessageTone" / "Message1.mid";
  write_file(kept, "kept");
  const std::map<fs::path, std::string> read_files{{jad, midlet},
                                                   {archived, read_file(archived)},
                                                   {home / "LG81XX.ini", read_file(home / "LG81XX.ini")},
                                                   {kept, "kept"}};
  write_file(work / "old.trace", "mine");
  write_file(work / "target.txt", "mine");
  fs::create_symlink(work / "target.txt", work / "link.trace");
  ASSERT_EQ(mkfifo((work / "fifo.trace").c_str(), 0600), 0);
  fs::create_directory(work / "dir.trace");
  struct Case {
    std::vector<std::string> options;
    fs::path trace;
    int status;
    std::string says = "";
    std::vector<std::string> command = {"ls", "Images"};
  };
  const std::vector<std::string> install = {"install", jad.string(), jar.string()};
  write_file(work / "other.trace", "mine");
  const Case cases[] = {
      {{}, work / "new.trace", 0},
      {{"--force"}, work / "other.trace", 0, "", install},  // beside the inputs, on their file system
      {{}, work / "old.trace", 4, "is already there: replace it with --force"},
      {{"--force"}, work / "old.trace", 0},
      {{"--force"}, work / "link.trace", 4, "is a link, a FIFO or a device"},
      {{"--force"}, work / "fifo.trace", 4, "is a link, a FIFO or a device"},
      {{"--force"}, "/dev/null", 4, "is a link, a FIFO or a device"},
      {{"--force"}, work / "dir.trace", 4, "is a folder"},
      {{"--force"}, jad, 4, "is a file this command reads", install},
      {{"--force"}, archived, 4, "is a file this command reads", {"restore", "archive", "--replace"}},
      {{"--force"}, home / "LG81XX.ini", 4, "is a file this command reads"},
      {{"--force"}, kept, 4, "is a file this command reads", {"sound", "mes1", "--restore"}},
  };
  for (const auto& c : cases) {
    auto args = c.options;
    args.insert(args.end(), {"--trace", c.trace.string()});
    args.insert(args.end(), c.command.begin(), c.command.end());
    const auto r = cli(args);
    EXPECT_EQ(r.status, c.status) << c.trace << "\n" << r.err;
    if (c.status == 0) {
      EXPECT_TRUE(read_file(c.trace).starts_with("# lg81xx-cli ")) << c.trace;
    } else {
      EXPECT_TRUE(has(r.err, "the trace file " + c.trace.string() + " " + c.says)) << r.err;
    }
  }
  EXPECT_EQ(read_file(work / "target.txt"), "mine");
  EXPECT_TRUE(fs::is_fifo(work / "fifo.trace"));
  for (const auto& [file, content] : read_files) EXPECT_EQ(read_file(file), content) << file;
}

// Every session is recorded in the state folder, heading first; the oldest go; a folder
// that cannot be made is a warning, never a failure.
TEST_F(CliEndToEnd, SessionsAreRecorded) {
  for (int n = 0; n < 25; ++n)
    write_file(sessions() / ("2000010" + std::to_string(n / 10) + "-" + std::to_string(n % 10) + ".trace"), "old");
  ASSERT_EQ(cli({"ls", "Images"}).status, 0);
  std::vector<fs::path> kept;
  for (const auto& entry : fs::directory_iterator(sessions())) kept.push_back(entry.path());
  std::sort(kept.begin(), kept.end());
  ASSERT_EQ(kept.size(), 20u);
  EXPECT_EQ(kept.front().filename(), "20000100-6.trace");  // the six oldest went
  const std::string recorded = read_file(kept.back());
  EXPECT_TRUE(recorded.starts_with("# lg81xx-cli ")) << recorded;
  EXPECT_TRUE(has(recorded, "\n# command: --home ")) << recorded;  // the arguments, not the program
  EXPECT_TRUE(has(recorded, " ls Images\n")) << recorded;
  EXPECT_TRUE(has(recorded, " -> 41 54 2B 43 47 53 4E")) << recorded;
  EXPECT_EQ(fs::status(kept.back()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  write_file(work / "state-file", "");
  setenv("XDG_STATE_HOME", (work / "state-file").c_str(), 1);
  const auto r = cli({"ls", "Images"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.err, "lg81xx-cli: warning: the session is not recorded")) << r.err;
}

// The report holds the recorded sessions, says so, and replaces a file only with --force.
TEST_F(CliEndToEnd, ReportOfTheRecordedSessions) {
  ASSERT_EQ(cli({"info"}).status, 0);
  const auto made = cli({"report", "-o", "rapporto.zip"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(has(made.out, "rapporto.zip (")) << made.out;
  EXPECT_TRUE(has(made.out, "  doctor.txt (")) << made.out;
  EXPECT_TRUE(has(made.out, "  sessions/")) << made.out;
  const std::string zip = read_file(work / "rapporto.zip");
  EXPECT_NE(cli({"report", "-o", "rapporto.zip"}).status, 0);
  EXPECT_EQ(read_file(work / "rapporto.zip"), zip);
  EXPECT_EQ(cli({"report", "-o", "rapporto.zip", "--force"}).status, 0);
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
      EXPECT_EQ(read_file(work / "copia"), read_file(phone / folder / *unescaped_name(typed))) << model << " " << typed;
      EXPECT_TRUE(has(get.err, "100%")) << get.err;  // the progress, plain lines when not a terminal
    }
  }
}

// Wrong arguments, files and ports: one line on standard error with the next step, the
// status, and nothing sent (the trace stays empty).
TEST_F(CliEndToEnd, BadInputIsRefusedBeforeAnythingIsSent) {
  write_file(work / "a.jad", "MIDlet-Name: a\r\n");
  write_file(work / "a.jar", "PK");
  write_file(work / "tono.mid", "MThd");
  fs::create_symlink(work / "a.jad", work / "link.jpg");
  write_file(work / "huge.bin", "");
  fs::resize_file(work / "huge.bin", (std::uint64_t{1} << 32) + 1);  // sparse: no room taken
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
      {{"get", "Images", "--all", "-o", "-"}, 1, "-o - writes one entry to standard output"},
      // Only an install writes an application's files, in any case of the extension.
      {{"put", "Java", "tono.mid", "--as", "05.jar", "--replace"}, 1, "lg81xx-cli install JAD JAR"},
      {{"put", "Java", "a.jad"}, 1, "FILE DI UN'APPLICAZIONE JAVA: Java/a.jad"},
      {{"put", "Java", "tono.mid", "--as", "01.MNF"}, 1, "Java/01.MNF"},
      {{"put", "Images", "tono.mid", "--as", "."}, 1, "--as takes the file's name on the phone, not \".\""},
      {{"put", "Images", "tono.mid", "--as", ".."}, 1, "not \"..\""},
      {{"put", "Images", "tono.mid", "--as", ""}, 1, "not \"\""},
      {{"put", "Images", "tono.mid", "--as", "../Java/05.jar"}, 1, "(no folder"},
      {{"put", "Images", "huge.bin"}, 1, "ERRORE: IL FILE SCELTO È TROPPO GRANDE"},  // never read
      {{"sound", "mes1", "huge.bin"}, 1, "ERRORE: IL FILE SCELTO È TROPPO GRANDE"},
      {{"frobnicate", "Images"}, 1, "unknown command \"frobnicate\"; the commands are ports, info, ls"},
      {{"--fast"}, 1, "name a command; the commands are"},
      {{"--port", "/dev/lg81xx-no-such-port", "info"},
       2,
       "ERRORE: PORTA NON TROVATA: /dev/lg81xx-no-such-port (collegare il telefono o scegliere un'altra porta) "
       "(no such device: plug the phone in, or find its port with lg81xx-cli ports)\n"},
      {{"--port", "COM  21", "info"}, 1, "ERRORE: PORTA COM NON VALIDA"},
      {{"--home", "/proc", "--port", "/dev/null", "info"}, 4, "CARTELLA DEL PROGRAMMA NON SCRIVIBILE: /proc"},
      {{"--trace", "/dev/full", "info"}, 4, "the trace file /dev/full is a link, a FIFO or a device"},
  };
  for (const auto& c : cases) {
    const auto trace = work / "trace.txt";
    fs::remove(trace);
    std::vector<std::string> args{"--trace", trace.string()};  // the case's own --trace wins
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = cli(args);
    std::string what;
    for (const auto& arg : c.args) what += arg + " ";
    EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
    EXPECT_TRUE(has(r.err, c.says)) << what << "\n" << r.err;
    EXPECT_TRUE(!fs::exists(trace) || fs::file_size(trace) == 0) << what;
  }
  // The virtual phone's own options say their ranges as people write them.
  for (const auto& args : {std::vector<std::string>{"--baud", "-5"}, {"--delay", "soon"}}) {
    const auto r = run_program(kSim, args, work.path());
    EXPECT_NE(r.status, 0) << args.front();
    EXPECT_TRUE(has(r.err, "no whole number from 0 to ")) << r.err;
    EXPECT_LT(r.err.size(), 200u) << r.err;
  }
}

// Results that cannot be written to standard output (a full disk) are no success, and
// are said once.
TEST_F(CliEndToEnd, ResultsThatCannotBeWrittenAreNoSuccess) {
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"info"}, {"ls", "Images"}, {"get", "Images", "lago.jpg", "-o", "-"}}) {
    std::vector<std::string> args{
        "-c",    "exec \"$0\" \"$@\" >/dev/full", kCli.string(), "--home", home.path().string(), "--port", "sim",
        "--fast"};
    args.insert(args.end(), command.begin(), command.end());
    const auto r = run_program("/bin/sh", args, work.path());
    EXPECT_EQ(r.status, 4) << command.front() << "\n" << r.err;
    const std::string said = "IMPOSSIBILE SCRIVERE IL FILE: standard output";
    EXPECT_EQ(r.err.find(said), r.err.rfind(said)) << r.err;
    EXPECT_TRUE(has(r.err, said)) << r.err;
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
  // A file whose size the file system states as 0 is read to its end all the same.
  ASSERT_EQ(cli({"put", "Images", "/proc/self/status"}).status, 0);
  EXPECT_TRUE(read_file(storage() / "Images" / "status").starts_with("Name:"));
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

// Named entries, one the listing does not hold: that one is not asked for, alone or among
// others. One entry goes to standard output with -o -, and nothing else goes there.
TEST_F(CliEndToEnd, GetOfNamedEntries) {
  const auto r = cli({"get", "Images", "lago.jpg", "assente.jpg", "-o", "new/folder"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(has(r.err, "FILE NON PRESENTE NEL TELEFONO: Images/assente.jpg")) << r.err;
  EXPECT_TRUE(has(r.err, "1 saved, 1 failed: assente.jpg\n")) << r.err;
  EXPECT_EQ(read_file(work / "new/folder/lago.jpg"), sim::sample_picture());
  EXPECT_FALSE(fs::exists(work / "new/folder/assente.jpg"));

  // No request beyond those of an ls of the folder.
  const auto requests = [&](const std::vector<std::string>& args) {
    const auto trace = work / "trace.txt";
    std::vector<std::string> traced{"--trace", trace.string()};
    traced.insert(traced.end(), args.begin(), args.end());
    const auto run = cli(traced);
    const auto lines = lines_of(read_file(trace));
    return std::pair{run, std::count_if(lines.begin(), lines.end(), [](const auto& l) { return has(l, "-> "); })};
  };
  const auto [absent, asked] = requests({"get", "Images", "assente.jpg"});
  EXPECT_EQ(absent.status, 1) << absent.err;
  EXPECT_TRUE(has(absent.err, "ERRORE: FILE NON PRESENTE NEL TELEFONO: Images/assente.jpg")) << absent.err;
  EXPECT_FALSE(has(absent.err, "RIFIUTATO")) << absent.err;
  EXPECT_EQ(asked, requests({"ls", "Images"}).second);

  const auto out = cli({"get", "Images", "lago.jpg", "-o", "-"});
  ASSERT_EQ(out.status, 0) << out.err;
  EXPECT_TRUE(out.out == sim::sample_picture());
  EXPECT_FALSE(fs::exists(work / "-"));
}

TEST_F(CliEndToEnd, PortsAndUnwritableTarget) {
  const auto ports = cli({"ports"});
  EXPECT_EQ(ports.status, 0);
  EXPECT_TRUE(!ports.out.empty() || has(ports.err, "no serial ports found")) << "ports said nothing";
  // /proc exists but takes no new files, whoever runs the test.
  EXPECT_EQ(cli({"get", "Images", "lago.jpg", "-o", "/proc/lg81xx-test.jpg"}).status, 4);
}

// trace show reads every recorded session of the replays, each job on both families: what
// each frame is, and no frame left unknown.
TEST_F(CliEndToEnd, TraceShowReadsEveryRecordedSession) {
  const std::map<std::string, std::vector<std::string>> shows = {
      {"u8110-info", {"<- A0 ok: information \"U8110 V10c-EUR\""}},
      {"u8110-put", {"-> upload Audio/suoneria.mid block 1 seq 04, 141 bytes (file of 90, from byte 0), last frame"}},
      {"u8110-sound", {"-> GET Audio/../MessageTone/Message1.mid seq 03"}},
      {"u8120-backup", {"-> listing Video seq 05", "-> GET Immagini/foto.jpg seq 07"}},
      {"u8120-get", {"-> GET Immagini/foto.jpg seq 04", "<- A0 ok: 962 bytes of Immagini/foto.jpg, 6144 of 6144"}},
      {"u8120-install", {"-> upload Java/05.jar block 1 seq 03, 468 bytes", "-> install names Java/pushlist seq 06"}},
      {"u8120-ls", {"<- A0 ok: Immagini holds foto.jpg"}},
      {"u8120-probe", {"<- A0 ok: 90 bytes of Audios/../MessageTone/Message1.mid, 90 of 90"}},
      {"u8130-backup", {"-> listing Images seq 03", "-> GET Images/foto.jpg seq 04"}},
      {"u8130-get", {"-> GET Images/foto.jpg seq 04", "-> continue Images/foto.jpg seq 05"}},
      {"u8130-info", {"<- A0 ok: folders Animations, Audios, Images, Videos, VoiceRecord"}},
      {"u8130-install", {"-> upload Java/01.jad block 1 seq 07", "<- A0 ok: Java holds 01.jad, 01.jar"}},
      {"u8130-ls", {"-> listing Images seq 03"}},
      {"u8130-probe", {"-> GET Audios/../MessageTone/Message1.mid seq 06"}},
      {"u8138-put", {"-> upload Audios/suoneria.mid block 1 seq 04, 162 bytes"}},
      {"u8138-sound", {"<- 49 00 0F no such file"}},
  };
  std::size_t read = 0;
  for (const auto& entry : fs::directory_iterator(LG81XX_REPLAYS_DIR)) {
    if (entry.path().extension() != ".trace") continue;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    ASSERT_TRUE(shows.contains(name)) << "a new recorded session: say what trace show finds in it";
    const auto r = run_program(kCli, {"trace", "show", entry.path().string()}, work.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(has(r.out, "# names decoded as the U81")) << r.out;
    for (const auto& line :
         {"-> AT+CGSN", "<- echo, IMEI 354321098765432, OK", "-> OBEX CONNECT as \"Linux\"", "-> disconnect seq 2B"})
      EXPECT_TRUE(has(r.out, line)) << line << "\n" << r.out;
    for (const auto& line : shows.at(name)) EXPECT_TRUE(has(r.out, line)) << line << "\n" << r.out;
    EXPECT_FALSE(has(r.out, "unknown")) << r.out;
    ++read;
  }
  EXPECT_EQ(read, shows.size());

  write_file(work / "not-a-trace.txt", "hello\n");
  EXPECT_EQ(run_program(kCli, {"trace", "show", "not-a-trace.txt"}, work.path()).status, 1);
  EXPECT_EQ(run_program(kCli, {"trace", "show", "missing.trace"}, work.path()).status, 4);
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

// The doctor over the real serial adapter: the device is looked at and the phone answers.
TEST_F(CliOnPseudoTerminal, DoctorOnTheDevice) {
  start({});
  const auto r = cli({"doctor"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(has(r.out, phone->device_path() + "\n")) << r.out;
  EXPECT_TRUE(has(r.out, "  model: LG U8130\n")) << r.out;
  // A port given as a file in the current folder (a link to the device) is that file.
  fs::create_symlink(phone->device_path(), work / "telefono");
  EXPECT_EQ(CliEndToEnd::cli({"ls", "Videos"}, "LG U8130", "telefono").status, 0);
  phone->stop();
  // Nothing answers any more; the port may follow the command too.
  const auto gone =
      run_program(kCli, {"--home", home.path().string(), "doctor", "--port", phone->device_path()}, work.path());
  EXPECT_EQ(gone.status, 1) << gone.out << gone.err;
  EXPECT_TRUE(has(gone.err, "lg81xx-cli: " + phone->device_path() + ": ")) << gone.err;
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
