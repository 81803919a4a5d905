#include "demo_phone.h"

#include <fstream>
#include <stdexcept>

#include "phone/model_family.h"
#include "pty_phone.h"
#include "text_codec.h"

namespace lg81xx::gui {
namespace {

void write(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// A MIDI file of one track that plays a single note.
std::string sample_midi() {
  const unsigned char bytes[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                 'M', 'T', 'r', 'k', 0, 0, 0, 12, 0, 0x90, 60, 100, 96, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The smallest GIF: one transparent pixel.
std::string sample_gif() {
  const unsigned char bytes[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
                                 0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

void fill_sample_storage(const std::filesystem::path& storage, const std::string& model) {
  const bool u813 = family_of(model) == Family::u813;
  const auto pictures = storage / (u813 ? "Images" : "Immagini");
  const auto sounds = storage / (u813 ? "Audios" : "Audio");
  write(pictures / "logo.gif", sample_gif());
  write(pictures / "leggimi.txt", "Telefono virtuale di prova: questi file si possono scaricare.\r\n");
  write(sounds / "squillo.mid", sample_midi());
  write(sounds / "avviso.mid", sample_midi());
}

DemoPhone::DemoPhone(std::string model, std::optional<std::filesystem::path> storage) : model_(std::move(model)) {
  if (storage) {
    storage_ = *storage;
  } else {
    temporary_ = std::make_unique<QTemporaryDir>();
    if (!temporary_->isValid()) throw std::runtime_error("no temporary folder for the virtual phone");
    storage_ = std::filesystem::path(from_qt(temporary_->path()));
    fill_sample_storage(storage_, model_);
  }
  sim::PhoneOptions options;
  options.model = model_;
  options.storage = storage_;
  phone_ = std::make_unique<sim::PtyPhone>(options);
}

DemoPhone::~DemoPhone() = default;

const std::string& DemoPhone::device() const { return phone_->device_path(); }

}  // namespace lg81xx::gui
