#pragma once
// Form1 over the real serial adapter, in real time, with a phone on a pseudo-terminal:
// either the lg81xx-sim program or an in-process PtyPhone.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "pty_phone.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/recording_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {

struct RealLineForm {
  RealLineForm() : form(Platform{port, clock, ui, archiver, files}, home.path()) {}
  // Starts the lg81xx-sim program as `model` on `storage`, with `extra` arguments.
  const std::string& start_sim(const std::string& model, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--model", model, "--storage", storage.path().string()};
    args.insert(args.end(), extra.begin(), extra.end());
    sim = std::make_unique<SimProcess>(LG81XX_SIM_PROGRAM, args);
    return sim->device_path();
  }
  void connect(const std::string& model, const std::string& device) {
    form.choose_model(model);
    form.choose_port(device);
    ASSERT_EQ(form.connect_or_disconnect(), JobResult::ok);
    ASSERT_TRUE(ui.messages.empty());
  }
  // The row of `name` in `items`; a failure of the test when it is not there.
  static int row_of(const std::vector<std::string>& items, const std::string& name) {
    const auto at = std::find(items.begin(), items.end(), name);
    if (at != items.end()) return static_cast<int>(at - items.begin());
    ADD_FAILURE() << name << " is not listed";
    return -1;
  }
  JobResult open_folder(const std::string& name) {
    form.select_folder(row_of(form.folders(), name));
    return form.open_folder();
  }

  TempDir home, storage;
  std::unique_ptr<SimProcess> sim;
  std::unique_ptr<sim::PtyPhone> phone;
  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

}  // namespace lg81xx::testing
