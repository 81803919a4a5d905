#include "phone/frames/manifest.h"

#include <gtest/gtest.h>

namespace lg81xx {
namespace {

TEST(Manifest, CutsAtTheJarSizeWhateverItsCase) {
  struct Case {
    Bytes jad;
    Family family;
    Bytes manifest;
  };
  const std::vector<Case> cases{
      {"A: 1\r\nMIDlet-Jar-Size: 9\r\nB: 2\r\n", Family::u813, "A: 1\r\n"},
      {"A: 1\r\nMIDLET-JAR-SIZE: 9\r\n", Family::u811_u812, "A: 1\r\n\r\n"},
      {"MIDlet-Jar-Size: 9\r\n", Family::u813, ""},
      {"MIDlet-Jar-Size: 9\r\nMIDlet-Name: A\r\n", Family::u813, "MIDlet-Name: A\r\n"},  // the size first
      {"A: 1\r\nB: 2\r\n", Family::u813, "A: 1\r\nB: 2\r\n"},  // no size line: the whole descriptor
      {Bytes("A\0\x1A: 1\r\nMIDlet-Jar-Size", 23), Family::u813, Bytes("A\0\x1A: 1\r\n", 8)},
  };
  for (const auto& c : cases) EXPECT_EQ(manifest_from(c.jad, c.family), c.manifest) << c.jad;
}

}  // namespace
}  // namespace lg81xx
