#pragma once
// The window records its sessions with the phone as the command line does
// (jobs/recorded_sessions.h): every connect begins a new record.
#include <memory>

#include "jobs/recorded_sessions.h"
#include "link/link.h"

namespace lg81xx::gui {

// The recorder of this window's sessions, in the user's state folder.
std::unique_ptr<SessionRecorder> window_recorder();

// From now on every frame of `link` goes to `recorder`, timed by `clock` from the connect.
void record_sessions(Link& link, const Clock& clock, SessionRecorder& recorder);

}  // namespace lg81xx::gui
