#pragma once
// A WindowModel on a fake port, a virtual clock, a recording UI and a temporary program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/window_model.h"
#include "support/fake_serial_port.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {

class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture() : port(clock), window(Platform{port, clock, ui, archiver, files}, home.path()) {
    window.set_data_folder(home / "data");  // the phone's own sounds, kept here
  }

  // The model changes only while the port is closed, as in the window.
  void choose_model_and_open(const std::string& model) {
    window.phone().close();
    window.choose_model(model);
    window.phone().open("COM1");
  }

  VirtualClock clock;
  FakeSerialPort port;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  TempDir home;
  WindowModel window;
};

}  // namespace lg81xx::testing
