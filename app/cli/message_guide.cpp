#include "message_guide.h"

#include <array>
#include <utility>

#include "shell/messages.h"

namespace lg81xx::cli {
namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Longer texts first where one begins with another ("... RISPONDE..." before "... RISPONDE").
// What to try next when the phone is silent.
constexpr std::string_view kNoAnswer =
    "the phone did not answer in time: check that it is on and its cable plugged in, that --model names it "
    "and that --port is its port (lg81xx-cli ports lists them)";

// Longer texts first where one begins with another ("... RISPONDE..." before "... RISPONDE").
constexpr std::array kGuide{
    Entry{text::kNoReplyDots, kNoAnswer},
    Entry{text::kNoReply, kNoAnswer},
    Entry{text::kWinzipText, "the archive component is missing"},
    Entry{text::kFolderNotWritable, "LG81XX.ini cannot be written there: choose a folder of your own with --home DIR"},
    Entry{text::kPositionRange, "the insertion position must be between 00 and 64"},
    Entry{text::kUploadTerminato, "the Java application was installed"},
    Entry{text::kUploadCompletato, "the Java application was installed"},
    Entry{text::kSoundLoaded, "the sound replacement has finished"},
    Entry{text::kNotConnected, "the phone is not connected"},
    Entry{text::kNoPortChosen, "no serial port was given"},
    Entry{text::kBadComItem,
          "the port items are \"COM  1\" to \"COM  20\" (/dev/ttyS0 to /dev/ttyS19); give any other "
          "port as its device, such as /dev/ttyACM0"},
    Entry{text::kPortNotFound, "no such device: plug the phone in, or find its port with lg81xx-cli ports"},
    Entry{text::kPortInUse, "another program has the port open: close it and try again"},
    Entry{text::kPortDenied,
          "this user may not open the port: join the dialout group (sudo usermod -aG dialout $USER) "
          "and log in again"},
    Entry{text::kPortOpenFailed, "the serial port could not be opened; lg81xx-cli ports lists the serial ports"},
    Entry{text::kLinkLost, "the connection to the phone was lost: check the cable and connect again"},
    Entry{text::kUnknownModel, "this phone model is not supported"},
    Entry{text::kBadPosition, "the position must be two digits between 00 and 64"},
    Entry{text::kNameTooLong, "the file name is too long for the phone"},
    Entry{text::kNameNotSupported, "the name holds characters this phone model cannot store"},
    Entry{text::kNoEmuClasses, "the Nokia emulation classes are missing; the JAR is sent unchanged"},
    Entry{text::kFileReadFailed, "a local file could not be read"},
    Entry{text::kFileWriteFailed, "a local file could not be written"},
    Entry{text::kNoSelection, "no file was selected"},
    Entry{text::kEmptyFile, "the file is empty: there is nothing to send"},
    Entry{text::kRefused, "the phone refused the request"},
    Entry{text::kBusy, "the phone stayed busy; try again shortly"},
    Entry{text::kBadReply, "the phone's reply was cut short or garbled: check the cable and try again"},
    Entry{text::kWrongModel, "the phone is another model than the one chosen: give its model with --model"},
    Entry{text::kNoSuchFolder, "the chosen model has no such folder"},
    Entry{text::kNoFolderChosen, "name a folder of the phone"},
    Entry{text::kFileSent, "the file was sent"},
    Entry{text::kCancelled, "stopped at your request: the session with the phone was closed"},
    Entry{text::kReplaceFile, "a file of that name is already there"},
    Entry{text::kReplaceOnPhone, "the phone already holds a file of that name in the folder"},
    Entry{text::kReplaceApplication, "an application is installed at this position"},
    Entry{text::kJavaFull, "the phone's folder Java holds 64 applications: no position is free"},
    Entry{text::kBadJad, "the JAD given is not a Java descriptor; nothing was sent"},
    Entry{text::kBadJar, "the JAR given is not a ZIP archive; nothing was sent"},
    Entry{text::kSwappedFiles, "the JAD and the JAR were given the other way round; nothing was sent"},
    Entry{text::kJarSizeDiffers, "the JAD's MIDlet-Jar-Size is not the JAR's size; the install goes on"},
    Entry{text::kBadEmuArchive, "emu.zip needs a top-level folder emu/; nothing was unpacked"},
    Entry{"FUNZIONE NON ANCORA DISPONIBILE", "this job is not available in this build yet"},
};

}  // namespace

std::string_view explain_message(std::string_view text) {
  for (const auto& [italian, english] : kGuide)
    if (text.substr(0, italian.size()) == italian) return english;
  return {};
}

std::string message_line(std::string_view title, std::string_view text) {
  std::string line;
  if (!title.empty()) line.append(title).append(": ");
  line.append(text);
  const auto why = explain_message(text);
  if (!why.empty()) line.append(" (").append(why).append(")");
  return line;
}

}  // namespace lg81xx::cli
