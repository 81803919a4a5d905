#include "message_guide.h"

#include <array>
#include <utility>

#include "shell/messages.h"

namespace lg81xx::cli {
namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Longer texts first where one begins with another ("... RISPONDE..." before "... RISPONDE").
constexpr std::array kGuide{
    Entry{text::kNoReplyDots, "the phone did not answer in time"},
    Entry{text::kNoReply, "the phone did not answer in time"},
    Entry{text::kWinzipText, "the archive component is missing"},
    Entry{text::kInternalText, "start-up failed: LG81XX.ini in the program folder is missing or unreadable"},
    Entry{text::kPositionRange, "the insertion position must be between 00 and 64"},
    Entry{text::kUploadTerminato, "the Java application was installed"},
    Entry{text::kUploadCompletato, "the Java application was installed"},
    Entry{text::kSoundLoaded, "the sound replacement has finished"},
    Entry{text::kNotConnected, "the phone is not connected"},
    Entry{text::kNoPortChosen, "no serial port was given"},
    Entry{text::kPortOpenFailed, "the serial port could not be opened"},
    Entry{text::kLinkLost, "the connection to the phone was lost"},
    Entry{text::kUnknownModel, "this phone model is not supported"},
    Entry{text::kBadPosition, "the position must be two digits between 00 and 64"},
    Entry{text::kNameTooLong, "the file name is too long for the phone"},
    Entry{text::kNoEmuClasses, "the Nokia emulation classes are missing; the JAR is sent unchanged"},
    Entry{text::kFileReadFailed, "a local file could not be read"},
    Entry{text::kFileWriteFailed, "a local file could not be written"},
    Entry{text::kNoSelection, "no file was selected"},
    Entry{text::kReplaceFile, "a file of that name is already there"},
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
