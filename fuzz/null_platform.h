#pragma once
// Platform pieces that do nothing, for driving Form1 in fuzz targets.
#include <deque>
#include <optional>
#include <string>

#include "fuzz_phone_port.h"
#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/user_interface.h"
#include "shell/form1.h"

namespace lg81xx::fuzzing {

class NullArchiver final : public Archiver {
 public:
  bool present() const override { return true; }
  bool is_archive(const Bytes& content) const override { return content.starts_with("PK"); }  // enough here
  bool extract_folder(const std::filesystem::path&, const std::string&, const std::filesystem::path&) override {
    return true;
  }
  int add_folder(const std::filesystem::path&, const std::filesystem::path&) override { return 0; }
};

class SilentUi final : public UserInterface {
 public:
  void message_box(const std::string&, MessageStyle, const std::string&) override { ++messages; }
  bool ask(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> open_file(const std::string&) override {
    if (open_paths.empty()) return std::nullopt;
    auto path = open_paths.front();
    open_paths.pop_front();
    return path;
  }
  std::optional<std::string> save_file(const std::string&, const std::string&) override { return save_path; }
  std::optional<std::string> choose_folder() override { return std::nullopt; }
  void set_busy_pointer(bool) override {}
  void repaint() override {}
  int messages = 0;
  std::deque<std::string> open_paths;
  std::optional<std::string> save_path;
};

// Form1 as `model` in `home`, its phone answering with the fuzz input.
struct FuzzForm {
  FuzzForm(std::string_view input, const char* model, const std::filesystem::path& home)
      : port(input), form(Platform{port, clock, ui, archiver, files}, home) {
    form.choose_model(model);
  }
  FuzzPhonePort port;
  VirtualClock clock;
  SilentUi ui;
  NullArchiver archiver;
  LocalFiles files;
  Form1 form;
};

}  // namespace lg81xx::fuzzing
