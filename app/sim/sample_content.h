#pragma once
// Sample content for the virtual phone and the demos: a picture and a tune in the
// model's folders, the eighteen system sounds, and a small MIDlet (JAD and JAR) to
// install. Everything is generated, so the same bytes come out on every run.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace lg81xx::sim {

struct SampleFile {
  std::string folder;  // a phone folder ("Images"), or a system folder ("MessageTone")
  std::string name;
  Bytes content;
};

// The files a phone of `model` starts with: a picture in Images (Immagini), a tune and
// four files with names beyond ASCII or of one letter in Audios (Audio), and the system
// sounds in MessageTone, CamTone, FlipTone and Midis.
std::vector<SampleFile> sample_files(std::string_view model);
// Writes them under `storage` (created when missing). False when a file cannot be written.
bool fill_sample_content(const std::filesystem::path& storage, std::string_view model);

// A small JPEG picture, a MIDI tune (`variant` changes its notes) and a short WAV sound.
Bytes sample_picture();
Bytes sample_tune(int variant);
Bytes sample_shutter();

struct SampleMidlet {
  std::string name;  // "Saluti"
  Bytes jad;         // its MIDlet-Jar-Size matches the JAR
  Bytes jar;         // META-INF/MANIFEST.MF and one class, zipped with libzip
};
SampleMidlet sample_midlet();
// Writes NAME.jad and NAME.jar into `folder`; false when they cannot be written.
bool write_sample_midlet(const std::filesystem::path& folder, std::filesystem::path& jad, std::filesystem::path& jar);

}  // namespace lg81xx::sim
