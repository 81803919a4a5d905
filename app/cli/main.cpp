// lg81xx-cli: the phone jobs from a terminal. Each command checks its arguments, connects
// as the window's Connetti/Disconnetti button does, runs its job through the same jobs
// (src/jobs) as the window, and disconnects.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QStandardPaths>
#include <algorithm>
#include <iostream>

#include "arguments.h"
#include "commands.h"
#include "jobs/exit_status.h"
#include "jobs/recorded_sessions.h"
#include "output_path.h"
#include "platform/qt/qt_serial_port.h"
#include "terminal_listener.h"

using namespace lg81xx;
using namespace lg81xx::cli;

namespace {

// No command was recognised: the word that was taken for one, or the want of any, with
// the commands there are.
void say_which_command(const CLI::App& app) {
  std::string commands;
  for (const auto* command : app.get_subcommands({})) commands += (commands.empty() ? "" : ", ") + command->get_name();
  const auto left = app.remaining();
  const auto word = std::find_if(left.begin(), left.end(), [](const std::string& a) { return !a.starts_with('-'); });
  if (word != left.end())
    std::cerr << "lg81xx-cli: unknown command \"" << *word << "\"";
  else if (!left.empty())
    std::cerr << "lg81xx-cli: unknown option " << left.front() << "; name a command";
  else
    std::cerr << "lg81xx-cli: name a command";
  std::cerr << "; the commands are " << commands << " (lg81xx-cli --help tells more)\n";
}

int run_command(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) {
  const int status = run_command(argc, argv);
  // Results that never reached standard output (a full disk) are no success.
  std::cout.flush();
  if (status != kSuccess || (std::cout && std::fflush(stdout) == 0)) return status;
  TerminalListener(std::cerr, false).print({MessageId::file_write_failed, ": standard output", {}});
  return kLocalFile;
}

namespace {

int run_command(int argc, char** argv) {
  QCoreApplication qt(argc, argv);  // the serial port and the standard folders want one
  QCoreApplication::setApplicationName("lg81xx");

  GlobalOptions options;
  options.program_folder = QCoreApplication::applicationDirPath().toStdString();
  options.user_folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString();
  options.list_ports = lg81xx::available_ports;
  options.data_folders = {options.program_folder.parent_path() / "share" / "lg81xx", LG81XX_INSTALL_DATADIR};
  std::string model_text = options.model;

  // A file or folder given as "" names none.
  const CLI::Validator named(
      [](std::string& value) {
        return value.empty() ? std::string("an empty text names no file or folder") : std::string();
      },
      "");

  CLI::App app{"lg81xx-cli: manage LG U8110/U8120/U8130/U8138 phones over a serial link"};
  app.set_version_flag("--version", "lg81xx-cli " LG81XX_VERSION, "print the version and exit");
  app.require_subcommand(1);
  app.add_option("--port", options.port,
                 "a device (/dev/ttyACM0), a port item (\"COM  3\"), or sim for the built-in virtual phone; default: "
                 "the one port on a phone cable");
  app.add_option("--model", model_text, "LG U8110, LG U8120, LG U8130 or LG U8138")->capture_default_str();
  app.add_option("--home", options.home, "the program folder (LG81XX.ini, emu.zip); default: the program's own folder")
      ->check(named);
  app.add_option("--trace", options.trace, "write every frame sent and received to FILE")->check(named);
  app.add_flag("--fast", options.fast, "reply-driven waiting instead of the fixed sleeps");
  app.add_flag("--force", options.force, "(before the command) let --trace replace a regular file already there");
  for (auto* option : app.get_options())
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);  // the last one counts

  bool json = false;
  std::string folder, sound;
  std::optional<std::filesystem::path> output;
  std::filesystem::path jad, jar, file;
  std::optional<std::string> position;
  bool nokia = false;
  bool force = false;
  bool replace_application = false;

  auto* ports = app.add_subcommand("ports", "list serial ports (device, description)");
  auto* info = app.add_subcommand("info", "IMEI, information text, folders, Java entries, proposed position");
  info->add_flag("--json", json, "one JSON object");
  auto* ls = app.add_subcommand("ls", "entries of FOLDER, one per line, control characters escaped (\\n, \\x1B, \\\\)");
  ls->add_option("FOLDER", folder, "a folder of the phone (Images, Audio, Java ...)")->required();
  ls->add_flag("--json", json, "one JSON object");
  std::vector<std::string> entries;
  bool all = false;
  auto* get = app.add_subcommand("get", "download ENTRY of FOLDER; several, or --all, into the folder -o DIR");
  get->add_option("FOLDER", folder, "a folder of the phone")->required();
  auto* entry_option =
      get->add_option("ENTRY", entries, "the entries to download, as ls shows them or as their exact names");
  get->add_flag("--all", all, "every entry FOLDER lists")->excludes(entry_option);
  get->add_option(
         "-o,--output", output,
         "where to save it (a file or a folder; with several, a folder made when missing; - for standard output); "
         "default ./ENTRY made safe")
      ->check(named);
  get->add_flag("--force", force, "replace a regular file already there (nothing else is ever replaced)");
  auto* install = app.add_subcommand("install", "install a Java application (JAD and JAR) into the folder Java");
  install->add_option("JAD", jad, "the descriptor")->required()->check(named);
  install->add_option("JAR", jar, "the archive")->required()->check(named);
  install->add_option("--position", position, "two digits 00..64; default: the position the connect proposes");
  install->add_flag("--nokia", nokia, "add the Nokia emulation classes to the JAR");
  install->add_flag("--replace", replace_application, "replace the application already at the position");
  auto* replace = app.add_subcommand(
      "sound", "replace a system sound with FILE, the phone's own sound kept first; or send the kept one back");
  replace->add_option("SOUND", sound, "mes1..mes8, scatto1..scatto5, flip1, flip2, ok, no, batt")->required();
  std::optional<std::filesystem::path> sound_file;
  auto* sound_file_option = replace->add_option("FILE", sound_file, "the new sound")->check(named);
  bool restore_sound = false;
  bool no_keep_original = false;
  replace
      ->add_flag("--restore", restore_sound,
                 "send back the phone's own sound, kept in ~/.local/share/lg81xx/original-sounds/IMEI")
      ->excludes(sound_file_option);
  replace
      ->add_flag("--no-keep-original", no_keep_original,
                 "replace without reading and keeping the phone's own sound first")
      ->excludes("--restore");
  std::optional<std::string> put_name;
  auto* put = app.add_subcommand("put", "send FILE into FOLDER of the phone");
  put->add_option("FOLDER", folder, "a folder of the phone (Images, Audio ...)")->required();
  put->add_option("FILE", file, "the file to send (not empty)")->required()->check(named);
  put->add_option("--as", put_name, "its name on the phone; default: FILE's own name");
  bool replace_on_phone = false;
  put->add_flag("--replace", replace_on_phone, "replace a file of that name already in FOLDER");
  auto* probe = app.add_subcommand("probe", "message-tone read probe");
  auto* demo = app.add_subcommand("demo", "every job against the built-in virtual phone");
  auto* trace = app.add_subcommand("trace", "read a trace (--trace FILE, or a recorded session)");
  trace->require_subcommand(1);
  auto* trace_show =
      trace->add_subcommand("show", "each frame of FILE as what it is: AT+CGSN, GET Images/lago.jpg ...");
  trace_show->add_option("FILE", file, "the trace")->required()->check(named);
  auto* report = app.add_subcommand(
      "report", "a ZIP for support: version, system, the doctor's findings, the recorded sessions (the IMEI hidden)");
  report->add_option("-o,--output", output, "the ZIP; default lg81xx-report-DATE.zip")->check(named);
  report->add_flag("--force", force, "replace a regular file already there");
  auto* doctor = app.add_subcommand(
      "doctor",
      "what stands between this program and the phone: ports, rights, other programs; with --port, a connect");
  doctor->add_option("--port", options.port, "the port to try the phone on (as the option before the command)");
  std::filesystem::path archive_dir;
  std::vector<std::string> archive_folders;
  bool refresh = false;
  auto* backup = app.add_subcommand(
      "backup", "archive the phone's folders into DIR with a manifest of sizes and SHA-256; again: only what is new");
  backup->add_option("DIR", archive_dir, "the archive's folder, made when missing")->required()->check(named);
  backup->add_option("FOLDER", archive_folders, "only these folders of the phone; default: every folder");
  backup->add_flag("--refresh", refresh, "fetch everything again; a changed file is kept beside the old one");
  backup->add_flag("--force", force, "add to the archive of another phone (another IMEI)");
  auto* verify = app.add_subcommand("verify", "read every file of the archive in DIR again and check its SHA-256");
  verify->add_option("DIR", archive_dir, "the archive's folder")->required()->check(named);
  auto* restore = app.add_subcommand("restore", "send the archived files back to a phone that does not hold them");
  restore->add_option("DIR", archive_dir, "the archive's folder")->required()->check(named);
  restore->add_option("FOLDER", archive_folders, "only these folders; default: every folder but Java");
  restore->add_flag("--replace", replace_on_phone, "replace entries of the same name on the phone");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (app.get_subcommands().empty() && e.get_name() == "RequiredError") {
      say_which_command(app);  // instead of "a subcommand is required"
      return kBadInput;
    }
    const int shown = app.exit(e);  // prints the help or the usage error
    return shown == 0 ? kSuccess : kBadInput;
  }

  const auto model = model_from_argument(model_text);
  if (!model) {
    std::cerr << "lg81xx-cli: unknown model \"" << model_text
              << "\"; the models are LG U8110, LG U8120, LG U8130, LG U8138\n";
    return kBadInput;
  }
  options.model = *model;

  // What the command reads is never its trace.
  for (const auto& input : {jad, jar, file})
    if (!input.empty()) options.inputs.push_back(input);
  if (sound_file) options.inputs.push_back(*sound_file);
  if (!archive_dir.empty()) options.inputs.push_back(archive_dir);  // the manifest and every archived file
  options.inputs.push_back(options.user_folder / "original-sounds");
  options.sessions = sessions_folder();

  Terminal term{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  if (*ports) return run_ports(options, term);
  if (*info) return run_info(options, term, json);
  if (*ls) return run_ls(options, term, folder, json);
  if (*get && output == kStandardOutput && (all || entries.size() > 1)) {
    std::cerr << "lg81xx-cli: -o - writes one entry to standard output; several go into a folder: -o DIR\n";
    return kBadInput;
  }
  if (*get && !all && entries.size() <= 1)
    return run_get(options, term, folder, entries.empty() ? "" : entries.front(), output, force);
  if (*get && !output) {
    std::cerr << "lg81xx-cli: several entries go into a folder: name it with -o DIR\n";
    return kBadInput;
  }
  if (*get) return run_get_several(options, term, folder, entries, *output, force);
  if (*install) return run_install(options, term, jad, jar, position, nokia, replace_application);
  if (*replace && !sound_file && !restore_sound) {
    std::cerr << "lg81xx-cli: name the new sound's FILE, or send the kept one back with --restore\n";
    return kBadInput;
  }
  if (*replace) return run_sound(options, term, sound, sound_file, !no_keep_original);
  if (*put) return run_put(options, term, folder, file, put_name, replace_on_phone);
  if (*probe) return run_probe(options, term);
  if (*demo) return run_demo(options, term);
  if (*doctor) return run_doctor(options, term);
  if (*report) return run_report(options, term, output, force);
  if (*trace_show) return run_trace_show(term, file, app.count("--model") > 0 ? std::optional(*model) : std::nullopt);
  if (*backup) return run_backup(options, term, archive_dir, archive_folders, refresh, force);
  if (*verify) return run_verify(term, archive_dir);
  if (*restore) return run_restore(options, term, archive_dir, archive_folders, replace_on_phone);
  return kBadInput;
}

}  // namespace
