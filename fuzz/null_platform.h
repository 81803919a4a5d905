#pragma once
// Platform pieces that do nothing, for driving Form1 in fuzz targets.
#include <optional>
#include <string>

#include "platform/archiver.h"
#include "platform/user_interface.h"

namespace lg81xx::fuzzing {

class NullArchiver final : public Archiver {
 public:
  bool present() const override { return true; }
  bool extract(const std::filesystem::path&, const std::filesystem::path&) override { return true; }
  int add_folder(const std::filesystem::path&, const std::filesystem::path&) override { return 0; }
};

class SilentUi final : public UserInterface {
 public:
  void message_box(const std::string&, MessageStyle, const std::string&) override { ++messages; }
  std::optional<std::string> open_file(const std::string&) override { return std::nullopt; }
  std::optional<std::string> save_file(const std::string&, const std::string&) override { return save_path; }
  void set_busy_pointer(bool) override {}
  void repaint() override {}
  int messages = 0;
  std::optional<std::string> save_path;
};

}  // namespace lg81xx::fuzzing
