#pragma once
// The Java install: the descriptor, the archive and the manifest as NN.jad, NN.jar and
// NN.mnf into the folder "Java", then the two requests that name the folder's contentInfo
// and pushlist files.
#include <string>

#include "phone/phone.h"

namespace lg81xx {

// Where an install stopped: the step that failed, or `done`.
enum class InstallStep { folder_request, descriptor, archive, manifest, content_info, pushlist, done };

// Installs `jad` and `jar` at `position` (two digits). The U8110/U8120 get 8-bit names and
// literal requests; the U8130/U8138 get UTF-16LE names, and a request for the folder
// first. The line is free again however the install ends.
Outcome<InstallStep> install_java_application(Phone& phone, const std::string& position, const Bytes& jad,
                                              const Bytes& jar);

}  // namespace lg81xx
