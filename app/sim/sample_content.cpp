#include "sample_content.h"

#include <zip.h>

#include <fstream>
#include <memory>

#include "phone/model_family.h"
#include "phone/sound_table.h"

namespace lg81xx::sim {
namespace fs = std::filesystem;
namespace {

void put16be(Bytes& out, unsigned v) {
  put_byte(out, v >> 8);
  put_byte(out, v);
}
void put32be(Bytes& out, unsigned v) {
  put16be(out, v >> 16);
  put16be(out, v & 0xFFFF);
}
void put16le(Bytes& out, unsigned v) {
  put_byte(out, v);
  put_byte(out, v >> 8);
}
void put32le(Bytes& out, unsigned v) {
  put16le(out, v & 0xFFFF);
  put16le(out, v >> 16);
}

bool write_bytes(const fs::path& path, const Bytes& content) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return static_cast<bool>(out);
}

// A class file with an empty body: "Saluti extends javax.microedition.midlet.MIDlet".
Bytes sample_class(std::string_view name) {
  Bytes c;
  put32be(c, 0xCAFEBABE);
  put16be(c, 0);   // minor version
  put16be(c, 45);  // major version: what CLDC devices load
  put16be(c, 5);   // constant pool count (entries 1..4)
  const auto utf8 = [&c](std::string_view text) {
    put_byte(c, 1);
    put16be(c, static_cast<unsigned>(text.size()));
    c.append(text);
  };
  put_byte(c, 7);  // #1 class #2
  put16be(c, 2);
  utf8(name);      // #2
  put_byte(c, 7);  // #3 class #4
  put16be(c, 4);
  utf8("javax/microedition/midlet/MIDlet");   // #4
  put16be(c, 0x0021);                         // public, super
  put16be(c, 1);                              // this class
  put16be(c, 3);                              // super class
  for (int i = 0; i < 4; ++i) put16be(c, 0);  // no interfaces, fields, methods, attributes
  return c;
}

struct ZipSourceFree {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};

// Zips the entries in memory, in the given order (the manifest first, as JARs have it).
Bytes zip_in_memory(const std::vector<std::pair<std::string, Bytes>>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, ZipSourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!buffer) return {};
  zip_source_keep(buffer.get());  // the archive's close must leave the buffer to us
  zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
  if (archive == nullptr) {
    zip_source_free(buffer.get());  // drop the reference kept for the archive
    return {};
  }
  for (const auto& [name, content] : entries) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (source) zip_source_free(source);
      zip_discard(archive);
      return {};
    }
    zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), 1262304000, 0);  // fixed: same bytes every run
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return {};
  }
  Bytes out;
  if (zip_source_open(buffer.get()) < 0) return {};
  zip_source_seek(buffer.get(), 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(buffer.get());
  zip_source_seek(buffer.get(), 0, SEEK_SET);
  if (size > 0) {
    out.resize(static_cast<std::size_t>(size));
    if (zip_source_read(buffer.get(), out.data(), static_cast<zip_uint64_t>(size)) != size) out.clear();
  }
  zip_source_close(buffer.get());
  return out;
}

}  // namespace

Bytes sample_picture() {
  Bytes p;
  p.append("\xFF\xD8\xFF\xE0", 4);  // start of image, JFIF header
  put16be(p, 16);
  p.append("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14);
  const std::string comment = "lg81xx sample picture: every byte value below, OK";
  p.append("\xFF\xFE", 2);
  put16be(p, static_cast<unsigned>(comment.size() + 2));
  p.append(comment);
  // Image data: every byte value, then a pattern long enough for several blocks.
  for (unsigned v = 0; v < 256; ++v) put_byte(p, v);
  for (unsigned i = 0; i < 2600; ++i) put_byte(p, (i * 37 + i / 7) & 0xFF);
  p.append("\xFF\xD9", 2);  // end of image
  return p;
}

Bytes sample_tune(int variant) {
  Bytes track;
  const unsigned base = 60 + static_cast<unsigned>(variant % 12);
  for (unsigned step = 0; step < 8; ++step) {
    const unsigned note = base + (step * 5) % 12;
    track.append({'\x00', '\x90'});  // note on, channel 1
    put_byte(track, note);
    put_byte(track, 0x64);
    track.append({'\x60', '\x80'});  // a quarter later, note off
    put_byte(track, note);
    put_byte(track, 0x40);
  }
  track.append("\x00\xFF\x2F\x00", 4);  // end of track
  Bytes m = "MThd";
  put32be(m, 6);
  put16be(m, 0);   // format 0
  put16be(m, 1);   // one track
  put16be(m, 96);  // ticks per quarter note
  m += "MTrk";
  put32be(m, static_cast<unsigned>(track.size()));
  return m + track;
}

Bytes sample_shutter() {
  constexpr unsigned kSamples = 800;
  Bytes w = "RIFF";
  put32le(w, 36 + kSamples);
  w += "WAVEfmt ";
  put32le(w, 16);
  put16le(w, 1);     // PCM
  put16le(w, 1);     // mono
  put32le(w, 8000);  // sample rate
  put32le(w, 8000);  // bytes per second
  put16le(w, 1);     // block align
  put16le(w, 8);     // bits per sample
  w += "data";
  put32le(w, kSamples);
  for (unsigned i = 0; i < kSamples; ++i) put_byte(w, 128 + ((i * 7919) % 97) * (kSamples - i) / kSamples);
  return w;
}

std::vector<SampleFile> sample_files(std::string_view model) {
  const bool u813 = family_of(model) == Family::u813;
  const std::string audio = u813 ? "Audios" : "Audio";
  std::vector<SampleFile> files{
      {u813 ? "Images" : "Immagini", "lago.jpg", sample_picture()},
      {audio, "melodia.mid", sample_tune(3)},
      // Names beyond ASCII that both families hold, and a one-letter name.
      {audio, "città.jpg", sample_picture()},
      {audio, "perché è.mid", sample_tune(5)},
      {audio, "X", "X"},
      {audio, "€uro.txt", "1 € = 1936,27 lire\r\n"},
  };
  int variant = 0;
  for (const auto& row : kSoundTable) {
    // The table's paths are "/Folder/name" under the phone's storage root.
    const std::string path(row.path.substr(1));
    const auto slash = path.find('/');
    const std::string name = path.substr(slash + 1);
    const bool wav = name.size() > 4 && name.substr(name.size() - 4) == ".wav";
    files.push_back({path.substr(0, slash), name, wav ? sample_shutter() : sample_tune(variant++)});
  }
  return files;
}

bool fill_sample_content(const fs::path& storage, std::string_view model) {
  std::error_code ec;
  fs::create_directories(storage, ec);
  bool ok = fs::is_directory(storage, ec);
  for (const auto& file : sample_files(model)) ok = write_bytes(storage / file.folder / file.name, file.content) && ok;
  return ok;
}

SampleMidlet sample_midlet() {
  SampleMidlet m;
  m.name = "Saluti";
  const std::string manifest =
      "Manifest-Version: 1.0\r\n"
      "MIDlet-Name: Saluti\r\n"
      "MIDlet-Vendor: lg81xx\r\n"
      "MIDlet-Version: 1.0\r\n"
      "MIDlet-1: Saluti, , Saluti\r\n"
      "MicroEdition-Configuration: CLDC-1.0\r\n"
      "MicroEdition-Profile: MIDP-1.0\r\n";
  m.jar = zip_in_memory({{"META-INF/MANIFEST.MF", manifest}, {"Saluti.class", sample_class("Saluti")}});
  // The descriptor: the attributes the phone keeps in its manifest come before
  // MIDlet-Jar-Size, where the install cuts it.
  m.jad =
      "MIDlet-Name: Saluti\r\n"
      "MIDlet-Vendor: lg81xx\r\n"
      "MIDlet-Version: 1.0\r\n"
      "MIDlet-1: Saluti, , Saluti\r\n"
      "MicroEdition-Configuration: CLDC-1.0\r\n"
      "MicroEdition-Profile: MIDP-1.0\r\n"
      "MIDlet-Jar-Size: " +
      std::to_string(m.jar.size()) +
      "\r\n"
      "MIDlet-Jar-URL: Saluti.jar\r\n";
  return m;
}

bool write_sample_midlet(const fs::path& folder, fs::path& jad, fs::path& jar) {
  const auto m = sample_midlet();
  if (m.jar.empty()) return false;
  jad = folder / (m.name + ".jad");
  jar = folder / (m.name + ".jar");
  return write_bytes(jad, m.jad) && write_bytes(jar, m.jar);
}

}  // namespace lg81xx::sim
