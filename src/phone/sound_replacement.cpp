#include "phone/sound_replacement.h"

#include <string>

namespace lg81xx {

JobResult replace_system_sound(Phone& phone, std::string_view path, const Bytes& sound) {
  LineHold line(phone);
  const Family family = phone.family();
  if (family == Family::none) return JobResult::bad_input;
  phone.next_sequence();  // the replacement has always skipped one sequence number
  return phone.upload({family == Family::u813 ? "Audios" : "Audio", ".." + std::string(path)}, sound);
}

}  // namespace lg81xx
