#include "shell/form1.h"

#include "base/number_text.h"
#include "shell/messages.h"

namespace lg81xx {

Form1::Form1(Platform platform, std::filesystem::path home)
    : platform_(platform), link_(platform.port, platform.clock), home_(std::move(home)) {
  for (std::size_t i = 0; i < kSoundTable.size(); ++i)
    sound_options[i] = {std::string(kSoundTable[i].control), std::string(kSoundTable[i].caption), i == 0};
}

OptionButton& Form1::option(std::string_view control) {
  for (auto& o : sound_options)
    if (o.name == control) return o;
  return sound_options.front();
}

const OptionButton* Form1::selected_sound() const {
  for (const auto& o : sound_options)
    if (o.value) return &o;
  return nullptr;
}

void Form1::select_sound(std::string_view control) {
  for (auto& o : sound_options) o.value = (o.name == control);
}

void Form1::set_Text1(std::string text) {
  Text1.text = std::move(text);
  Text1_Change();
}

void Form1::show_lamp(bool red) {
  ledr.visible = red;
  platform_.ui.repaint();
}

void Form1::set_progress(double width) {
  progress_width = width;
  Label5.width = width;
  Label5.caption = number_text(width * 100 / kFullProgress) + " %";
  platform_.ui.repaint();
}

void Form1::set_progress_done() {
  progress_width = kFullProgress;
  Label5.width = kFullProgress;
  Label5.caption = "100%";
  platform_.ui.repaint();
}

void Form1::fail(JobResult result, const std::string& text, MessageStyle style, const std::string& title) {
  last_result = result;
  platform_.ui.message_box(text, style, title);
}

bool Form1::require_connection() {
  if (platform_.port.is_open()) return true;
  fail(JobResult::not_connected, text::kNotConnected, MessageStyle::critical, text::kErrorTitle);
  return false;
}

}  // namespace lg81xx
