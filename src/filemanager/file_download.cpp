// "DownLoad": fetches the entry selected in List2 from the folder selected in List1.
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

// The engine's name bytes: 8-bit text, or UTF-16LE followed by one more 00 byte (the
// engine adds the second byte of the terminator).
Bytes name_bytes(Family family, const std::string& name) {
  if (family == Family::u813) return utf16le(name) + '\0';
  return name;
}

// The request carries each name's characters + 1 in one byte.
bool fits_request(const std::string& folder, const std::string& file) {
  constexpr std::size_t kMaxChars = 254;
  return folder.size() <= kMaxChars && file.size() <= kMaxChars;
}

}  // namespace

void Form1::Command7_Click() {
  const std::string file = List2.text();
  const std::string folder = List1.text();
  if (file.empty()) {  // no entry selected: nothing to fetch
    last_result = JobResult::bad_input;
    return;
  }
  if (!require_connection()) return;
  const Family f = family();
  if (f == Family::none) {  // neither family: nothing is downloaded
    last_result = JobResult::bad_input;
    return;
  }
  if (!fits_request(folder, file)) {
    fail(JobResult::bad_input, text::kNameTooLong, MessageStyle::critical, text::kErrorTitle);
    return;
  }

  link_busy = true;
  const Bytes file_bytes = name_bytes(f, file);
  const Bytes folder_bytes = name_bytes(f, folder);
  std::int64_t status = 0;
  download_object(static_cast<int>(folder_bytes.size()), static_cast<int>(file_bytes.size()),
                  static_cast<int>(folder.size()), static_cast<int>(file.size()), file_bytes, folder_bytes, status);
  link_busy = false;
}

}  // namespace lg81xx
