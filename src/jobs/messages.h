#pragma once
// The message catalogue: every message the program gives, once, with its identifier, its
// Italian text (the system's own), its English, its kind, its title and the exit status
// of a job that ends with it. The window shows the Italian; the command line prints the
// Italian with the English beside it.
//
// A text may hold "{}" where a message fills in a name or a number, in order. Parts are
// pieces of other messages (a reason after a path, the step where a connect stopped).
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/exit_status.h"

namespace lg81xx {

enum class MessageKind {
  error,        // a box with the critical icon
  warning,      // the warning icon; the job goes on
  information,  // the information icon
  question,     // yes or no, before something is replaced
  notice,       // a plain box with no icon
  part,         // a piece of another message
};

enum class MessageId {
  // how the phone answered
  no_reply_dots,    // listings and downloads
  no_reply,         // connect, install, probe, sending a file
  upload_no_reply,  // the sound replacement: the upload engine's own box
  refused,
  busy,
  bad_reply,
  link_lost,
  not_connected,
  wrong_model,
  cancelled,
  // connect
  no_model_chosen,
  no_port_chosen,
  bad_com_item,
  port_not_found,
  port_in_use,
  port_denied,
  port_open_failed,
  // start-up
  archiver_missing,
  program_folder_not_writable,
  bad_emu_archive,
  // what a job is given
  unknown_model,
  no_such_folder,
  no_folder_chosen,
  name_too_long,
  name_not_supported,
  empty_file,
  file_too_large,
  application_file,  // sent into the folder Java by hand
  file_read_failed,
  file_write_failed,
  // Java applications
  position_range,
  bad_position,
  java_full,          // after the listing: no position to propose
  install_java_full,  // an install with no position given
  no_selection,
  replace_application,
  bad_jad,
  bad_jar,
  swapped_files,
  jar_size_differs,
  no_emu_classes,
  java_installed_u811,
  java_installed_u813,
  // sounds
  no_sound_selected,
  sound_replaced,
  // files
  no_entry_selected,
  no_such_entry,
  replace_file,
  replace_on_phone,
  file_sent,
  files_sent,  // several dropped on the window's entries list
  downloads_saved,
  downloads_not_all_saved,
  // the archive of a phone, and the phone's own sounds kept
  backup_done,
  backup_not_all_saved,
  archive_of_another_phone,
  archive_imei_not_read,
  archive_unreadable,
  no_archive,
  verify_intact,
  verify_damaged,
  restore_done,
  restore_not_all_sent,
  java_not_restored,
  original_sound_kept,
  original_sound_not_kept,
  keep_needs_imei,
  restore_needs_imei,
  no_original_sound,
  original_sound_restored,
  replace_without_keeping,
  file_missing,
  file_changed,
  damaged_in_archive,
  kept_on_phone,
  folder_not_on_phone,
  // the window
  cancel_on_close,
  report_saved,
  report_not_saved,
  diagnosis,
  // parts
  connect_stopped,
  at_imei,
  at_obex_mode,
  at_obex_connect,
  at_session,
  at_information,
  at_folders,
  plug_the_phone_in,
  close_the_other_program,
  join_dialout,
  choose_another_home,
  folders_of_model,
  no_file_on_phone,
  files_on_phone,
  descriptor_and_archive_swapped,
  descriptor_is_archive,
  descriptor_without_midlet,
  archive_not_zip,
  jar_sizes,
  exists_kept,
  not_a_regular_file,
  is_a_folder,
  folder_missing,
  folder_not_writable,
  name_too_long_for_folder,
  write_error,
  unusable_name,
  not_downloaded,
  not_tried,
  not_tried_count,  // after a number of files
};

struct CatalogueEntry {
  MessageId id;
  MessageKind kind;
  const char* title;  // the box's title; empty for none
  const char* italian;
  const char* english;
  ExitStatus exit;  // of a job that ends with this message (a question: answered no)
};

const CatalogueEntry& catalogue(MessageId id);
// Every entry.
std::span<const CatalogueEntry> whole_catalogue();

// `text` with each "{}" replaced by the next of `args`.
std::string filled(std::string_view text, std::initializer_list<std::string_view> args);
std::string filled(std::string_view text, const std::vector<std::string>& args);

// A part in either language, filled in.
std::string italian(MessageId part, std::initializer_list<std::string_view> args = {});
std::string english(MessageId part, std::initializer_list<std::string_view> args = {});

// A message as a job gives it: an entry of the catalogue, what fills its "{}", and what
// follows its text (a name, a path, a reason).
struct Message {
  MessageId id;
  std::string detail;
  std::vector<std::string> args;

  const CatalogueEntry& entry() const { return catalogue(id); }
  std::string italian() const;  // what the window shows
  std::string english() const;  // what the command line adds
  bool operator==(const Message&) const = default;
};

}  // namespace lg81xx
