#pragma once
// The commands of lg81xx-cli. Each checks its own arguments first (nothing is sent when
// they are wrong), then drives the window model's handlers and returns the exit status.
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "session.h"
#include "shell/preflight.h"

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
// `replace`: an application already at the position is replaced.
// Several entries of `folder` (every entry it lists when `entries` is empty) into `dir`,
// made when missing, in one connection: a line per file, then "N saved, M failed".
int run_backup(const GlobalOptions& options, Terminal& term, const std::string& folder,
               const std::vector<std::string>& entries, const std::filesystem::path& dir, bool force);
int run_install(const GlobalOptions& options, Terminal& term, const std::filesystem::path& jad,
                const std::filesystem::path& jar, const std::optional<std::string>& position, bool nokia, bool replace);
int run_sound(const GlobalOptions& options, Terminal& term, const std::string& sound,
              const std::filesystem::path& file);
int run_put(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::filesystem::path& file,
            const std::optional<std::string>& name, bool replace);
int run_probe(const GlobalOptions& options, Terminal& term);
int run_demo(const GlobalOptions& options, Terminal& term);

// Selects `folder` among the phone's folders and opens it (a double-click on List1); the
// exit status of the listing, or kBadInput with a line on `err` when the phone has no such
// folder.
int list_folder(Form1& form, const std::string& folder, std::ostream& err);

// A local file that a job will read: one line on `err` and false when it cannot be read.
bool readable_file(const std::filesystem::path& path, std::ostream& err);

// The first refusal among `checks` (shell/preflight.h), shown as the window shows it, as
// its exit status; nothing when every check passed. Made before the port is opened.
std::optional<int> first_refusal(UserInterface& ui, std::initializer_list<std::optional<Refusal>> checks);

}  // namespace lg81xx::cli
