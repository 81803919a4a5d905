#include "jobs/config_file.h"

namespace lg81xx {

std::string ini_first_field(const Bytes& content) { return content.substr(0, content.find_first_of(",\r\n")); }

}  // namespace lg81xx
