#include "demo_phone.h"

#include <stdexcept>

#include "pty_phone.h"
#include "sample_content.h"
#include "text_codec.h"

namespace lg81xx::gui {

DemoPhone::DemoPhone(std::string model, std::optional<std::filesystem::path> storage, int baud)
    : model_(std::move(model)) {
  if (storage) {
    storage_ = *storage;
  } else {
    temporary_ = std::make_unique<QTemporaryDir>();
    if (!temporary_->isValid()) throw std::runtime_error("no temporary folder for the virtual phone");
    storage_ = std::filesystem::path(from_qt(temporary_->path()));
    if (!sim::fill_sample_content(storage_, model_))
      throw std::runtime_error("cannot fill the virtual phone's folders");
  }
  sim::PhoneOptions options;
  options.model = model_;
  options.storage = storage_;
  sim::PtyOptions line;
  line.baud = baud;
  phone_ = std::make_unique<sim::PtyPhone>(options, line);
}

DemoPhone::~DemoPhone() = default;

const std::string& DemoPhone::device() const { return phone_->device_path(); }

}  // namespace lg81xx::gui
