// Names whose bytes on the line, or whose length byte, are 7D, 7E or FF go out escaped
// like the data, and land on the virtual phone and come back byte-identical.
#include <gtest/gtest.h>

#include "phone/phone.h"
#include "phone_port.h"
#include "support/phone_fixture.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

Bytes content() {
  Bytes out;  // two blocks, every byte value among them
  for (unsigned i = 0; i < 5000; ++i) out.push_back(as_char(i * 7 + 3));
  return out;
}

std::string repeated(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

struct Row {
  const char* what;
  std::string name;
  bool eight_bit;  // Windows-1252 has a byte for every character
};

// UTF-16LE and Windows-1252 bytes of the names; "length" is the length byte.
const Row kRows[] = {
    {"~ is 7E in both", "backup~1.txt", true},
    {"ž: 7E 01, 9E", "žena.txt", true},
    {"Ž: 7D 01, 8E", "Žilina.jpg", true},
    {"絵: 75 7D", "絵.jpg", false},
    {"} is 7D in both", "a}b.txt", true},
    {"ÿ: FF 00, FF", "ÿes.txt", true},
    {"繾: 7E 7E", "繾.jpg", false},
    {"124 characters, 120 of them ÿ: length 7D", repeated("ÿ", 120) + ".txt", true},
    {"125 characters: length 7E", repeated("n", 121) + ".txt", true},
    {"254 characters: length FF", repeated("n", 250) + ".txt", true},
};

TEST(ReservedNames, GoUpAndComeBackByteIdenticalOnBothFamilies) {
  const Bytes data = content();
  for (const auto& [model, folder] : {std::pair{"LG U8130", "Images"}, std::pair{"LG U8120", "Immagini"}}) {
    for (const Row& row : kRows) {
      SCOPED_TRACE(std::string(model) + ": " + row.what);
      TempDir storage;
      VirtualClock clock;
      sim::VirtualPhone virtual_phone({model, "354321098765432", storage.path(), 0});
      sim::PhonePort port(virtual_phone, &clock);
      RecordingEvents events;
      Phone phone(port, clock, events);
      phone.set_model(model);
      phone.open("sim");

      const bool carried = family_of(model) == Family::u813 || row.eight_bit;
      const ObjectName name{folder, row.name};
      ASSERT_EQ(phone.upload(name, data), carried ? JobResult::ok : JobResult::bad_input);
      if (!carried) {
        EXPECT_TRUE(port.written().empty());
        continue;
      }
      for (const Bytes& frame : port.written()) EXPECT_LE(frame.size(), 964u);
      EXPECT_TRUE(read_file(storage / folder / row.name) == data);
      const Outcome<Bytes> back = phone.download(name);
      ASSERT_EQ(back.result, JobResult::ok);
      EXPECT_TRUE(back.value == data);
    }
  }
}

}  // namespace
}  // namespace lg81xx::testing
