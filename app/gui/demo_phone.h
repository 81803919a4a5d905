#pragma once
// The virtual phone for `lg81xx --demo`: served on a pseudo-terminal inside this process,
// with its folders in a temporary storage holding the virtual phone's sample content (or
// in a storage folder of the user's choice, used as it is).
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
  // Throws std::runtime_error when no pseudo-terminal can be had. `baud`: the line paced to
  // so many baud, as a real cable would be; 0 for as fast as the terminal goes.
  DemoPhone(std::string model, std::optional<std::filesystem::path> storage, int baud = 0);
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

}  // namespace lg81xx::gui
