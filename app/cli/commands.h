#pragma once
// The commands of lg81xx-cli. Each checks its own arguments first (nothing is sent when
// they are wrong), then calls the jobs with plain values and returns the exit status.
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "jobs/checks.h"
#include "platform/system_probe.h"
#include "session.h"

namespace lg81xx::cli {

// Where results and messages go; `terminal` when standard error is a terminal.
struct Terminal {
  std::ostream& out;
  std::ostream& err;
  bool terminal = false;
};

int run_ports(const GlobalOptions& options, Terminal& term);
int run_info(const GlobalOptions& options, Terminal& term, bool json);
int run_ls(const GlobalOptions& options, Terminal& term, const std::string& folder, bool json);
// `force`: an existing regular file at the output is replaced.
int run_get(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::string& entry,
            const std::optional<std::filesystem::path>& output, bool force);
// Several entries of `folder` (every entry it lists when `entries` is empty) into `dir`,
// made when missing, in one connection: a line per file, then "N saved, M failed".
int run_get_several(const GlobalOptions& options, Terminal& term, const std::string& folder,
                    const std::vector<std::string>& entries, const std::filesystem::path& dir, bool force);
// `replace`: an application already at the position is replaced.
int run_install(const GlobalOptions& options, Terminal& term, const std::filesystem::path& jad,
                const std::filesystem::path& jar, const std::optional<std::string>& position, bool nokia, bool replace);
// With `file`, the sound replaced by it, the phone's own sound kept first (unless not
// `keep_original`) in the user's data folder; without it, the kept original sent back.
int run_sound(const GlobalOptions& options, Terminal& term, const std::string& sound,
              const std::optional<std::filesystem::path>& file, bool keep_original);
int run_put(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::filesystem::path& file,
            const std::optional<std::string>& name, bool replace);
int run_probe(const GlobalOptions& options, Terminal& term);
// The phone's folders (or `folders`) into the archive in `dir`, made when missing: only
// what it does not hold yet, or everything again with `refresh`; another phone's archive
// only with `force`. A line per file saved, then "N new, M already archived, K failed".
int run_backup(const GlobalOptions& options, Terminal& term, const std::filesystem::path& dir,
               const std::vector<std::string>& folders, bool refresh, bool force);
// Every file of the archive in `dir` read again: a line per missing or changed file.
int run_verify(Terminal& term, const std::filesystem::path& dir);
// The archive's files (of `folders`) that the phone lacks sent to it; with `replace`, over
// entries of the same name too.
int run_restore(const GlobalOptions& options, Terminal& term, const std::filesystem::path& dir,
                const std::vector<std::string>& folders, bool replace);
int run_demo(const GlobalOptions& options, Terminal& term);
// The ports, what stands in each one's way, and on --port (or the one phone cable) a
// connect as each family: 0 when a phone answered, 1 naming the first problem otherwise.
int run_doctor(const GlobalOptions& options, Terminal& term);
int run_doctor(const GlobalOptions& options, Terminal& term, SystemProbe& probe);
// The report for support saved at `output` (default lg81xx-report-DATE.zip; an existing
// regular file replaced only with `force`), and what it holds printed.
int run_report(const GlobalOptions& options, Terminal& term, const std::optional<std::filesystem::path>& output,
               bool force);
// A trace read back, a line per frame; its names decoded as `model`'s family when given,
// otherwise as its heading or its requests show.
int run_trace_show(Terminal& term, const std::filesystem::path& file, const std::optional<std::string>& model);

// The entries of `folder`, which must be one of the folders the connect found (a line on
// `err` and bad_input otherwise); the listing's message shown when it fails.
JobOutcome<std::vector<std::string>> list_phone_folder(Session& session, const PhoneFacts& facts,
                                                       const std::string& folder, TerminalListener& listener,
                                                       std::ostream& err);

// The message of a job's end, when it has one, and its exit status.
template <class T>
int finish(TerminalListener& listener, const JobOutcome<T>& outcome) {
  if (outcome.message) listener.print(*outcome.message);
  return exit_status_for(outcome.result);
}

// A local file that a job will read: one line on `err` and false when it cannot be read.
bool readable_file(const std::filesystem::path& path, std::ostream& err);

// The first refusal among `checks` (jobs/checks.h), shown as its message, as its exit
// status; nothing when every check passed. Made before the port is opened.
std::optional<int> first_refusal(TerminalListener& listener, std::initializer_list<std::optional<Refusal>> checks);

}  // namespace lg81xx::cli
