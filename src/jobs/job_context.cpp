#include "jobs/job_context.h"

namespace lg81xx {

JobContext::JobContext(SerialPort& port, Clock& clock, Files& files, Archiver& archiver, JobListener& listener)
    : files_(files), archiver_(archiver), listener_(listener), phone_(port, clock, *this) {}

void JobContext::count_files(std::size_t file, std::size_t files) {
  file_ = file;
  files_count_ = files;
}

void JobContext::progress(std::uint64_t done, std::uint64_t total) {
  listener_.progress({done, total, file_, files_count_});
}

}  // namespace lg81xx
