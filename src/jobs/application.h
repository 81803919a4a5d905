#pragma once
// Java applications: a JAD and its JAR read and checked (with the Nokia emulation classes
// added to a copy of the JAR when asked), and installed at a position of the folder
// "Java".
#include <filesystem>
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"
#include "phone/java_install.h"

namespace lg81xx {

// An application as it will be sent.
struct ApplicationPair {
  Bytes descriptor;
  Bytes archive;
  std::string archive_name;  // the chosen archive's file name
  bool empty() const { return descriptor.empty() || archive.empty(); }
};

struct LoadRequest {
  std::filesystem::path descriptor;
  std::filesystem::path archive;
  bool nokia = false;                    // add the emulation classes to a copy of the archive
  std::filesystem::path program_folder;  // where the folder "emu" is, and the copy is made
};

// The descriptor and the archive read whole and checked: a descriptor and a ZIP archive,
// the right way round. With `nokia` the archive is a copy with the classes of "emu" added
// and the descriptor states its size; the chosen files are never touched. A missing "emu"
// and a stated size that is not the archive's are warnings to the listener.
JobOutcome<ApplicationPair> load_application(JobContext& jobs, const LoadRequest& request);

// The same in two steps, for the window, which asks for the archive only once the
// descriptor could be read.
JobOutcome<Bytes> read_descriptor(JobContext& jobs, const std::filesystem::path& path);
JobOutcome<ApplicationPair> pair_with_archive(JobContext& jobs, Bytes descriptor, const LoadRequest& request);

struct InstallRequest {
  ApplicationPair application;
  std::string position;                // as typed ("5" is 05); empty when none was proposed
  std::vector<std::string> java_rows;  // the last listing of "Java": which positions hold one
  WhenExists when_taken = WhenExists::ask;
};

struct Installed {
  std::string position;                               // two digits
  InstallStep reached = InstallStep::folder_request;  // where the install stopped, or done
};

// Installs the application at the position as NN.jad, NN.jar and NN.mnf. An application
// already at the position is replaced only as `when_taken` says.
JobOutcome<Installed> install_application(JobContext& jobs, const InstallRequest& request);

}  // namespace lg81xx
