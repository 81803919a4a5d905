#pragma once
// A file that a program writes line by line as it runs (a trace, a recorded session),
// opened so that nothing the user did not name is ever touched: a new file, or an existing
// regular file only when it may be replaced; never through a link, never a FIFO, a device,
// a socket or a folder, and never a file the run itself reads.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx {

struct LogFileRules {
  bool replace = false;                       // an existing regular file is emptied and written
  std::vector<std::filesystem::path> inputs;  // the files the run reads (a folder: all below it): never written
  unsigned mode = 0600;                       // of a new file
};

// Why a log file cannot be opened: SaveResult's problems, or that it is one of the inputs.
enum class LogFileProblem { none, exists, not_a_file, is_folder, no_folder, not_writable, is_input };

class LogFile {
 public:
  LogFile() = default;
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  LogFileProblem open(const std::filesystem::path& path, const LogFileRules& rules);
  bool is_open() const { return fd_ >= 0; }
  // Every byte written, or false (and false from then on).
  bool write(std::string_view text);
  bool good() const { return good_; }
  // Closes the file; false when a write the kernel kept back failed.
  bool close();

 private:
  int fd_ = -1;
  bool good_ = true;
};

// One line of English: "is a folder", "is a link, a FIFO or a device: never written" ...
std::string_view log_file_problem_text(LogFileProblem problem);

}  // namespace lg81xx
