// Writes the examples the README's commands use into FOLDER: a tiny MIDlet (Saluti.jad
// and Saluti.jar) and a short tone (tono.mid). They are the virtual phone's sample
// content, so the same bytes come out on every build.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "sample_content.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_examples FOLDER\n";
    return 1;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::path jad, jar;
  bool ok = lg81xx::sim::write_sample_midlet(folder, jad, jar);
  const auto tone = lg81xx::sim::sample_tune(0);
  std::ofstream out(folder / "tono.mid", std::ios::binary | std::ios::trunc);
  out.write(tone.data(), static_cast<std::streamsize>(tone.size()));
  ok = static_cast<bool>(out.flush()) && ok;
  if (!ok) std::cerr << "make_examples: cannot write the examples into " << folder.string() << "\n";
  return ok ? 0 : 1;
}
