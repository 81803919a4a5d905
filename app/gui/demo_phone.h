#pragma once
// The virtual phone for `lg81xx --demo`: served on a pseudo-terminal inside this process,
// with its folders in a temporary storage pre-filled with a few sample files (or in a
// storage folder of the user's choice, used as it is).
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace lg81xx::sim {
class PtyPhone;
}

namespace lg81xx::gui {

class DemoPhone {
 public:
  // Throws std::runtime_error when no pseudo-terminal can be had.
  DemoPhone(std::string model, std::optional<std::filesystem::path> storage);
  ~DemoPhone();
  DemoPhone(const DemoPhone&) = delete;
  DemoPhone& operator=(const DemoPhone&) = delete;

  const std::string& model() const { return model_; }
  const std::string& device() const;
  const std::filesystem::path& storage() const { return storage_; }

 private:
  std::string model_;
  std::unique_ptr<QTemporaryDir> temporary_;
  std::filesystem::path storage_;
  std::unique_ptr<sim::PtyPhone> phone_;
};

// A few files for a fresh storage, in the folders of `model`: a picture, a ring tone and
// a short text, so the "File Manager" tab has something to list and download.
void fill_sample_storage(const std::filesystem::path& storage, const std::string& model);

}  // namespace lg81xx::gui
