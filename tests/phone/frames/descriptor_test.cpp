// The descriptor text: recognising it, its jar size, and the manifest cut from it.
#include "phone/frames/descriptor.h"

#include <gtest/gtest.h>

#include "phone/frames/manifest.h"

namespace lg81xx {
namespace {

TEST(Descriptor, IsRecognisedByItsNameOrJarUrlLine) {
  const std::pair<Bytes, bool> cases[] = {
      {"MIDlet-Name: A\r\n", true},         {"MIDlet-Vendor: V\r\nmidlet-jar-url : a.jar", true},
      {"\xEF\xBB\xBFMIDlet-Name: A", true}, {"X-MIDlet-Name: A\r\nMIDlet-Names: A\r\n", false},
      {"MIDlet-Jar-Size: 5\r\n", false},    {"", false},
  };
  for (const auto& [content, descriptor] : cases) EXPECT_EQ(is_descriptor(content), descriptor) << content;
}

TEST(Descriptor, TheJarSizeIsReadAndRewrittenInPlace) {
  struct Case {
    Bytes jad;
    std::optional<std::string> stated;
    Bytes with_98;
  };
  const Case cases[] = {
      {"A: 1\r\nMIDlet-Jar-Size: 1234\r\nB: 2\r\n", "1234", "A: 1\r\nMIDlet-Jar-Size: 98\r\nB: 2\r\n"},
      {"midlet-jar-size:\t77  \nMIDlet-Jar-Size: 5\n", "77", "midlet-jar-size:\t98  \nMIDlet-Jar-Size: 5\n"},
      {"MIDlet-Jar-Size: 5", "5", "MIDlet-Jar-Size: 98"},
      {"MIDlet-Jar-Size: \r\n", "", "MIDlet-Jar-Size: 98\r\n"},
      {"A: 1\r\nX-MIDlet-Jar-Size: 5\r\n", std::nullopt, "A: 1\r\nX-MIDlet-Jar-Size: 5\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(stated_jar_size(c.jad), c.stated) << c.jad;
    EXPECT_EQ(with_jar_size(c.jad, 98), c.with_98) << c.jad;
  }
}

TEST(Manifest, CutsAtTheJarSizeWhateverItsCase) {
  struct Case {
    Bytes jad;
    Family family;
    Bytes manifest;
  };
  const std::vector<Case> cases{
      {"A: 1\r\nMIDLET-JAR-SIZE: 9\r\n", Family::u811_u812, "A: 1\r\n\r\n"},
      // The size first: the lines after it, up to a further size line.
      {"MIDlet-Jar-Size: 9\r\nMIDlet-Name: A\r\nmidlet-jar-size: 9\r\n", Family::u813, "MIDlet-Name: A\r\n"},
      {"A: 1\r\nB: 2\r\n", Family::u813, "A: 1\r\nB: 2\r\n"},  // no size line: the whole descriptor
      {Bytes("A\0\x1A: 1\r\nMIDlet-Jar-Size", 23), Family::u813, Bytes("A\0\x1A: 1\r\n", 8)},
  };
  for (const auto& c : cases) EXPECT_EQ(manifest_from(c.jad, c.family), c.manifest) << c.jad;
}

}  // namespace
}  // namespace lg81xx
