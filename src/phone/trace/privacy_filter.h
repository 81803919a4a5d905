#pragma once
// What a report for support may carry of its user: nothing of the phone's IMEI but its
// last four digits, and nothing of the user's files but their names.
//
// An IMEI is any run of exactly 15 digits. In text it becomes "***********5432", in
// every form it takes there: the digits themselves (plain text, JSON) and their bytes
// written in hex, as ASCII ("33 35 34 ...", with or without blanks between the bytes) or
// as UTF-16LE ("33 00 35 00 ..."); in hex the hidden digits read 2A. The last four digits
// stay, as the doctor shows them, so an answer in a trace can be matched with the phone
// it came from, and they alone cannot name a phone.
//
// In a trace the data of every upload and download block is replaced by "[N file bytes]"
// (N: the bytes it took on the line); the frames' headers, their names and every other
// frame stay as they were, so the trace still reads and shows.
#include <string>
#include <string_view>
#include <vector>

#include "phone/model_family.h"

namespace lg81xx {

inline constexpr std::size_t kImeiLength = 15;
inline constexpr std::size_t kImeiShownDigits = 4;

// "354321098765432" -> "***********5432".
std::string masked_imei(std::string_view imei);

class PrivacyFilter {
 public:
  // Learns the IMEIs that `text` holds (a trace's answers to AT+CGSN, and every run of
  // 15 digits), so that their hex forms are found in every text filtered later.
  void learn(std::string_view text);
  const std::vector<std::string>& imeis() const { return imeis_; }

  // `text` with every IMEI hidden, the learned ones in each of their forms.
  std::string text(std::string_view text) const;
  // A trace (read_trace's form) with the file data hidden, the IMEIs hidden, and every
  // line that is no frame filtered as text. `family` decodes its names; its own heading
  // decides when it is none.
  std::string trace(std::string_view trace_text, Family family = Family::none) const;

 private:
  std::vector<std::string> imeis_;
};

}  // namespace lg81xx
