// The archive of a phone: a backup byte for byte with a manifest that tells the truth,
// run again for what is new, cut short and completed, refreshed; verified; restored; and
// the phone's own sounds kept before they are replaced. Both families, on the in-process
// virtual phone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "base/sha256.h"
#include "jobs/backup.h"
#include "jobs/restore.h"
#include "jobs/sounds.h"
#include "jobs/verify.h"
#include "sample_content.h"
#include "support/jobs_fixture.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

// `size` bytes in which every byte value comes, the escaped ones included.
Bytes every_byte_value(std::size_t size) {
  Bytes bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + 7) & 0xFF);
  return bytes;
}

BackupRequest backup_into(const fs::path& dir, bool refresh = false, bool force = false) {
  BackupRequest request;
  request.dir = dir;
  request.refresh = refresh;
  request.force = force;
  request.now = [] { return "2026-03-01T12:00:00Z"; };
  return request;
}

PhoneFacts with_imei(std::string imei) {
  PhoneFacts facts;
  facts.imei = std::move(imei);
  return facts;
}

bool is_get(const Bytes& frame) { return frame.size() > 10 && frame[9] == '\x20' && frame[10] == '\x86'; }

class Archive : public JobsFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  Archive() : phone_(sim::PhoneOptions{GetParam(), "354321098765432", storage.path(), 0}) {
    sim::fill_sample_content(storage.path(), model());
    write_file(storage / images() / "grande.bin", every_byte_value(9000));  // several blocks and continuations
    answer();
  }
  std::string model() const { return GetParam(); }
  bool u813() const { return model().starts_with("LG U813"); }
  std::string images() const { return u813() ? "Images" : "Immagini"; }
  std::string audio() const { return u813() ? "Audios" : "Audio"; }
  sim::VirtualPhone& phone() { return *phone_; }

  // The phone answers every frame; a phone that pulls the line closes the port.
  void answer() {
    port.on_write = [this](const Bytes& frame) {
      for (auto& delivery : phone_->respond(frame)) {
        Bytes reply;
        for (auto& piece : delivery.pieces) reply += piece.bytes;
        if (!reply.empty()) port.arrive(std::move(reply));
        if (delivery.hang_up) port.hang_up();
      }
    };
  }
  // A phone of the same model on `storage_path` in place of the one on the line.
  void swap_phone(const fs::path& storage_path, const std::string& imei = "354321098765432") {
    phone_.emplace(sim::PhoneOptions{model(), imei, storage_path, 0});
  }
  PhoneFacts connect() {
    jobs.forget_cancel();
    auto connected = connect_phone(jobs, {model(), "/dev/virtual"});
    EXPECT_TRUE(connected.ok());
    return connected.value;
  }
  JobOutcome<BackupReport> backup(const PhoneFacts& facts, bool refresh = false) {
    return back_up(jobs, facts, backup_into(dir.path(), refresh));
  }
  std::size_t gets() const { return std::count_if(port.written.begin(), port.written.end(), is_get); }

  // Every file the manifest records is in the archive, whole, as the phone holds it (or
  // held it: `phone_storage`), and nothing else is there but the manifest and the folders.
  ArchiveManifest expect_true_manifest(const fs::path& phone_storage) {
    const auto loaded = load_manifest(files, dir.path());
    EXPECT_EQ(loaded.state, ManifestState::ok);
    std::set<fs::path> recorded{dir / std::string(kManifestName)};
    for (const auto& f : loaded.manifest.files) {
      const Bytes kept = read_file(dir / f.file);
      EXPECT_EQ(kept, read_file(phone_storage / f.folder / f.name)) << f.file;
      EXPECT_EQ(f.size, kept.size()) << f.file;
      EXPECT_EQ(f.sha256, sha256_hex(kept)) << f.file;
      EXPECT_TRUE(recorded.insert(dir / f.file).second) << f.file << " recorded twice";
    }
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
      if (!e.is_directory()) {
        EXPECT_TRUE(recorded.contains(e.path())) << e.path() << " is not recorded";
      }
    EXPECT_TRUE(verify_archive(files, dir.path()).ok());
    return loaded.manifest;
  }

  TempDir storage;
  TempDir dir;
  std::optional<sim::VirtualPhone> phone_;
};

INSTANTIATE_TEST_SUITE_P(BothFamilies, Archive, ::testing::Values("LG U8130", "LG U8120"));

// The whole phone into the archive byte for byte; run again, only the new entry is
// fetched: one GET.
TEST_P(Archive, AWholeBackupThenOnlyWhatIsNew) {
  const PhoneFacts facts = connect();
  const auto first = backup(facts);
  ASSERT_TRUE(first.ok()) << first.message->italian();
  const auto manifest = expect_true_manifest(storage.path());
  EXPECT_EQ(manifest.phone, (ArchivedPhone{model(), "354321098765432", facts.information}));
  EXPECT_EQ(first.value.added, manifest.files.size());
  EXPECT_EQ(manifest.files.size(), 7u);  // the picture, the big file, five of Audio(s)
  EXPECT_TRUE(manifest.holds(images(), "grande.bin"));
  EXPECT_EQ(first.message->id, MessageId::backup_done);

  write_file(storage / audio() / "nuovo.mid", "new");
  port.written.clear();
  const auto second = backup(facts);
  EXPECT_TRUE(second.ok());
  EXPECT_EQ(gets(), 1u);
  EXPECT_EQ(second.message->italian(), "1 nuovi, 7 già archiviati, 0 non salvati");
  EXPECT_EQ(expect_true_manifest(storage.path()).files.size(), 8u);

  // A link in place of one of the archive's folders is never written through.
  TempDir outside;
  fs::rename(dir / audio(), outside / "moved");
  fs::create_directory_symlink(outside.path(), dir / audio());
  write_file(storage / audio() / "altro.mid", "new");
  EXPECT_EQ(backup(facts).result, JobResult::local_file);
  EXPECT_FALSE(fs::exists(outside / "altro.mid"));
}

// A run that ends early leaves a manifest of complete files only; the next run fetches
// the rest.
TEST_P(Archive, ARunCutShortIsCompletedByTheNext) {
  struct Row {
    const char* how;
    sim::Faults faults;
    JobResult result;
  };
  const int listings = u813() ? 6 : 4;
  const Row rows[] = {
      {"hang-up", {.fault_at = listings + 7, .fault = sim::ReplyFault::hang_up}, JobResult::link_lost},
      {"silence", {.silent_after = listings + 5}, JobResult::no_reply},
      {"cancel", {}, JobResult::interrupted},
      {"manifest unwritable", {}, JobResult::local_file},  // a folder in its place after the second file
  };
  const fs::path manifest = dir / std::string(kManifestName);
  for (const Row& row : rows) {
    fs::remove_all(dir.path());
    fs::create_directories(dir.path());
    const PhoneFacts facts = connect();
    phone().set_faults(row.faults);
    int saved = 0;
    const auto cut = back_up(jobs, facts, backup_into(dir.path()), [&](const EntryArchived& e) {
      if (e.result != JobResult::ok || ++saved != 2) return;
      if (row.result == JobResult::interrupted) jobs.request_cancel();
      if (row.result == JobResult::local_file) {
        fs::rename(manifest, dir / "kept.json");
        fs::create_directory(manifest);
      }
    });
    if (row.result == JobResult::local_file) {
      fs::remove(manifest);
      fs::rename(dir / "kept.json", manifest);
    }
    EXPECT_EQ(cut.result, row.result) << row.how;
    EXPECT_GT(cut.value.not_tried, 0u) << row.how;
    const auto part = expect_true_manifest(storage.path());
    EXPECT_EQ(part.files.size(), cut.value.added) << row.how;
    if (row.result == JobResult::local_file) {
      EXPECT_EQ(part.files.size(), 2u) << "the third file, saved but not recorded, is gone again";
    }
    EXPECT_LT(part.files.size(), 7u) << row.how;

    phone().set_faults({});
    const auto rest = backup(connect());
    EXPECT_TRUE(rest.ok()) << row.how;
    EXPECT_EQ(rest.value.added + rest.value.archived, 7u) << row.how;
    EXPECT_EQ(expect_true_manifest(storage.path()).files.size(), 7u) << row.how;
  }
}

// --refresh fetches everything again and keeps a changed file beside the old one.
TEST_P(Archive, ARefreshKeepsAChangedFileBeside) {
  const PhoneFacts facts = connect();
  ASSERT_TRUE(backup(facts).ok());
  write_file(storage / images() / "grande.bin", "changed");
  const auto refreshed = backup(facts, true);
  EXPECT_TRUE(refreshed.ok());
  EXPECT_EQ(refreshed.value.added, 1u);
  EXPECT_EQ(refreshed.value.archived, 6u);
  EXPECT_EQ(read_file(dir / images() / "grande.bin"), every_byte_value(9000));
  EXPECT_EQ(read_file(dir / images() / "grande (2).bin"), "changed");
  const auto manifest = load_manifest(files, dir.path()).manifest;
  ASSERT_EQ(manifest.files.size(), 8u);
  EXPECT_EQ(manifest.files.back().name, "grande.bin");
  EXPECT_EQ(manifest.files.back().file, images() + "/grande (2).bin");
  EXPECT_TRUE(verify_archive(files, dir.path()).ok());
}

// Restored onto an empty phone, the files come back whole, Java aside; onto a phone with
// a different file of the same name, that one is kept unless replacing is asked for; a
// file changed in the archive never goes.
TEST_P(Archive, RestoreSendsWhatThePhoneLacksAndKeepsWhatItHas) {
  write_file(storage / "Java" / "01.jad", "MIDlet-Name: Saluti\n");
  ASSERT_TRUE(backup(connect()).ok());
  const auto manifest = load_manifest(files, dir.path()).manifest;
  disconnect_phone(jobs);

  TempDir empty;
  swap_phone(empty.path(), "111111111111111");  // another phone: a restore does not mind
  const auto restored = restore_archive(jobs, connect(), {dir.path(), {}, WhenExists::keep});
  ASSERT_TRUE(restored.ok()) << restored.message->italian();
  EXPECT_EQ(restored.value.sent, manifest.files.size() - 1);
  for (const auto& f : manifest.files)
    if (f.folder != "Java") {
      EXPECT_EQ(read_file(empty / f.folder / f.name), read_file(dir / f.file)) << f.file;
    }
  EXPECT_FALSE(fs::exists(empty / "Java" / "01.jad"));
  ASSERT_EQ(listener.notices.size(), 1u);
  EXPECT_EQ(listener.notices[0], (Message{MessageId::java_not_restored, ": Java/01.jad", {}}));

  // A line pulled at the first file's first frame ends the run: nothing more is tried.
  TempDir other;
  swap_phone(other.path());
  const PhoneFacts other_facts = connect();
  phone().set_faults({.fault_at = 2, .fault = sim::ReplyFault::hang_up});
  const auto cut = restore_archive(jobs, other_facts, {dir.path(), {}, WhenExists::keep});
  EXPECT_EQ(cut.result, JobResult::link_lost);
  EXPECT_EQ(cut.value.sent, 0u);
  EXPECT_EQ(cut.value.not_tried, manifest.files.size() - 2);
  ASSERT_TRUE(cut.message.has_value());
  EXPECT_NE(cut.message->italian().find(", " + std::to_string(cut.value.not_tried) + " non provati"), std::string::npos)
      << cut.message->italian();
  swap_phone(empty.path());

  write_file(empty / images() / "grande.bin", "theirs");
  write_file(dir / audio() / "melodia.mid", "damaged");
  RestoreRequest request{dir.path(), {images(), audio()}, WhenExists::keep};
  const auto kept = restore_archive(jobs, connect(), request);
  EXPECT_EQ(kept.result, JobResult::bad_input);
  EXPECT_EQ(read_file(empty / images() / "grande.bin"), "theirs");
  EXPECT_EQ(kept.value.kept.size(), manifest.files.size() - 2);  // all of them but Java's and the damaged one
  ASSERT_EQ(kept.value.failed.size(), 1u);
  EXPECT_EQ(why_not_restored(kept.value.failed[0], Family::none), "file dell'archivio modificato: non inviato");
  EXPECT_NE(kept.message->italian().find(images() + "/grande.bin (già presente sul telefono, mantenuto)"),
            std::string::npos);

  request.folders = {images()};
  request.when_exists = WhenExists::replace;
  EXPECT_TRUE(restore_archive(jobs, connect(), request).ok());
  EXPECT_EQ(read_file(empty / images() / "grande.bin"), every_byte_value(9000));

  // A link in the archive is never followed, even to the very bytes recorded.
  TempDir outside;
  fs::rename(dir / images() / "grande.bin", outside / "grande.bin");
  fs::create_symlink(outside / "grande.bin", dir / images() / "grande.bin");
  fs::remove(empty / images() / "grande.bin");
  const auto linked = restore_archive(jobs, connect(), request);
  EXPECT_FALSE(fs::exists(empty / images() / "grande.bin"));
  ASSERT_EQ(linked.value.failed.size(), 1u);
  EXPECT_EQ(linked.value.failed[0].why, MessageId::file_missing);
}

// The phone's own sound is read and kept before its first replacement, and sent back on
// request; a phone that refuses the read gets its new sound all the same, with a warning.
TEST_P(Archive, ThePhonesOwnSoundIsKeptReplacedAndRestored) {
  TempDir data;
  const KeptSounds kept{data.path(), "354321098765432"};
  const fs::path on_phone = storage / "MessageTone" / "Message3.mid";
  const Bytes own = read_file(on_phone);
  ASSERT_FALSE(own.empty());
  write_file(dir / "nuovo.mid", "new tune");
  write_file(dir / "altro.mid", "other tune");
  connect();

  ASSERT_TRUE(replace_sound(jobs, {"mes3", dir / "nuovo.mid", kept}).ok());
  EXPECT_EQ(read_file(on_phone), "new tune");
  EXPECT_EQ(read_file(original_sound_path(kept, "mes3")), own);
  EXPECT_EQ(original_sound_path(kept, "mes3"), data / "original-sounds/354321098765432/MessageTone/Message3.mid");
  // The next replacement keeps the first original, not the sound that replaced it.
  port.written.clear();
  ASSERT_TRUE(replace_sound(jobs, {"mes3", dir / "altro.mid", kept}).ok());
  EXPECT_EQ(gets(), 0u);
  EXPECT_EQ(read_file(original_sound_path(kept, "mes3")), own);
  const auto restored = restore_original_sound(jobs, "mes3", kept);
  EXPECT_TRUE(restored.ok());
  EXPECT_EQ(restored.message->id, MessageId::original_sound_restored);
  EXPECT_EQ(read_file(on_phone), own);

  // The read refused (the next request is its GET): replaced, with a warning, nothing kept.
  listener.notices.clear();
  phone().set_faults({.fault_at = 1, .fault = sim::ReplyFault::refusal});
  EXPECT_TRUE(replace_sound(jobs, {"batt", dir / "nuovo.mid", kept}).ok());
  EXPECT_EQ(read_file(storage / "Midis" / "LowBattery.mid"), "new tune");
  EXPECT_FALSE(fs::exists(original_sound_path(kept, "batt")));
  EXPECT_EQ(listener.notices, (std::vector<Message>{{MessageId::original_sound_not_kept, {}, {}}}));

  struct Row {
    const char* why;
    KeptSounds kept;
    MessageId says;
  };
  const Row refusals[] = {
      {"no IMEI", {data.path(), ""}, MessageId::keep_needs_imei},
      {"unreadable IMEI", {data.path(), "IMEI non letto"}, MessageId::keep_needs_imei},
      {"nowhere to keep it", {dir / "nuovo.mid" / "x", "354321098765432"}, MessageId::file_write_failed},
  };
  for (const Row& row : refusals) {
    const auto refused = replace_sound(jobs, {"mes5", dir / "nuovo.mid", row.kept});
    EXPECT_FALSE(refused.ok()) << row.why;
    EXPECT_EQ(refused.message->id, row.says) << row.why;
    EXPECT_NE(read_file(storage / "MessageTone" / "Message5.mid"), "new tune") << row.why;
  }
  EXPECT_EQ(restore_original_sound(jobs, "mes5", kept).message->id, MessageId::no_original_sound);
  // Nothing but what a replacement keeps is sent back: not an empty file, a FIFO or a link.
  const fs::path mes5 = original_sound_path(kept, "mes5");
  write_file(mes5, "");
  EXPECT_EQ(restore_original_sound(jobs, "mes5", kept).message->id, MessageId::no_original_sound) << "empty";
  fs::remove(mes5);
  ASSERT_EQ(mkfifo(mes5.c_str(), 0600), 0);
  EXPECT_EQ(restore_original_sound(jobs, "mes5", kept).message->id, MessageId::no_original_sound) << "FIFO";
  fs::remove(mes5);
  fs::create_symlink(dir / "nuovo.mid", mes5);
  EXPECT_EQ(restore_original_sound(jobs, "mes5", kept).message->id, MessageId::no_original_sound) << "link";
  EXPECT_EQ(restore_original_sound(jobs, "mes3", {data.path(), ""}).message->id, MessageId::restore_needs_imei);
  EXPECT_TRUE(replace_sound(jobs, {"mes5", dir / "nuovo.mid", std::nullopt}).ok()) << "--no-keep-original";
}

class ArchiveOfAnotherPhone : public JobsFixture {};

// An archive is refused to another phone (another IMEI, or another model when an IMEI is
// unknown) unless forced, and never tied to a phone whose IMEI was not read.
TEST_F(ArchiveOfAnotherPhone, IsRefusedUnlessForced) {
  struct Row {
    const char* recorded_imei;
    const char* recorded_model;
    const char* imei;
    const char* model;
    bool force;
    JobResult result;
    bool warned;
    const char* imei_after;
  };
  const Row rows[] = {
      {"111111111111111", "LG U8130", "222222222222222", "LG U8130", false, JobResult::bad_input, false, ""},
      {"111111111111111", "LG U8130", "222222222222222", "LG U8130", true, JobResult::ok, false, "111111111111111"},
      {"111111111111111", "LG U8130", "111111111111111", "LG U8138", false, JobResult::ok, false, "111111111111111"},
      {"111111111111111", "LG U8130", "", "LG U8130", false, JobResult::ok, true, "111111111111111"},
      {"111111111111111", "LG U8130", "", "LG U8120", false, JobResult::bad_input, false, ""},
      {"", "LG U8130", "222222222222222", "LG U8130", false, JobResult::ok, false, "222222222222222"},
      {"", "", "", "LG U8130", false, JobResult::ok, true, ""},  // a new archive
  };
  for (const Row& row : rows) {
    TempDir archive;
    if (*row.recorded_model) save_manifest(files, archive.path(), {{row.recorded_model, row.recorded_imei, ""}, {}});
    connected(row.model);
    listener.notices.clear();
    const auto done = back_up(jobs, with_imei(row.imei), backup_into(archive.path(), false, row.force));
    EXPECT_EQ(done.result, row.result) << row.imei << " " << row.model;
    EXPECT_EQ(!listener.notices.empty(), row.warned) << row.imei << " " << row.model;
    if (row.result == JobResult::ok) {
      EXPECT_EQ(load_manifest(files, archive.path()).manifest.phone.imei, row.imei_after);
    } else {
      EXPECT_EQ(done.message->id, MessageId::archive_of_another_phone);
    }
  }
  EXPECT_TRUE(port.written.empty());

  TempDir garbled;
  write_file(garbled / "manifest.json", "{\"format\": \"lg81xx archive\"");
  const auto refused = back_up(jobs, {}, backup_into(garbled.path()));
  EXPECT_EQ(refused.result, JobResult::local_file);
  EXPECT_EQ(refused.message->id, MessageId::archive_unreadable);
  EXPECT_EQ(read_file(garbled / "manifest.json"), "{\"format\": \"lg81xx archive\"");
}

// verify reads every byte: a changed byte and a missing file are named, an archive that
// is not one is said.
TEST(VerifyArchive, NamesEveryMissingOrChangedFile) {
  TempDir dir;
  LocalFiles files;
  ArchiveManifest manifest{{"LG U8130", "", ""}, {}};
  for (const std::string name : {"a.jpg", "b.jpg", "c.jpg"}) {
    const Bytes content = every_byte_value(3000) + name;
    write_file(dir / "Images" / name, content);
    manifest.files.push_back({"Images", name, "Images/" + name, content.size(), sha256_hex(content), "2026"});
  }
  ASSERT_EQ(save_manifest(files, dir.path(), manifest), SaveResult::ok);
  const auto intact = verify_archive(files, dir.path());
  EXPECT_TRUE(intact.ok());
  EXPECT_EQ(intact.message->italian(), "3 file verificati: tutti integri");

  Bytes changed = read_file(dir / "Images" / "b.jpg");
  changed[1500] = static_cast<char>(changed[1500] ^ 1);  // the same size, one bit off
  write_file(dir / "Images" / "b.jpg", changed);
  fs::remove(dir / "Images" / "c.jpg");
  const auto damaged = verify_archive(files, dir.path());
  EXPECT_EQ(damaged.result, JobResult::bad_input);
  ASSERT_EQ(damaged.value.damaged.size(), 2u);
  EXPECT_EQ(damaged.value.damaged[0].record.name, "b.jpg");
  EXPECT_EQ(damaged.value.damaged[0].state, FileState::changed);
  EXPECT_EQ(damaged.value.damaged[1].state, FileState::missing);
  EXPECT_EQ(damaged.message->italian(), "3 file verificati, 1 mancanti, 1 modificati");

  // What stands at a file's place but is no file of the archive is never read, even
  // when it holds the recorded bytes: a link to a file or a folder outside, a FIFO.
  TempDir outside;
  write_file(outside / "a.jpg", read_file(dir / "Images" / "a.jpg"));
  const std::pair<const char*, std::function<void()>> not_files[] = {
      {"link to a file", [&] { fs::create_symlink(outside / "a.jpg", dir / "Images" / "a.jpg"); }},
      {"link to a folder",
       [&] {
         fs::remove_all(dir / "Images");
         fs::create_directory_symlink(outside.path(), dir / "Images");
       }},
      {"FIFO", [&] { ASSERT_EQ(mkfifo((dir / "Images" / "a.jpg").c_str(), 0600), 0); }},
  };
  for (const auto& [what, plant] : not_files) {
    fs::remove_all(dir / "Images");
    fs::create_directory(dir / "Images");
    plant();
    const auto checked = check_archived_file(files, dir.path(), manifest.files[0]);
    EXPECT_EQ(checked.state, FileState::missing) << what;
  }
  fs::remove_all(dir / "Images");
  fs::copy(dir / "manifest.json", outside / "manifest.json");
  fs::remove(dir / "manifest.json");
  fs::create_symlink(outside / "manifest.json", dir / "manifest.json");
  EXPECT_EQ(verify_archive(files, dir.path()).message->id, MessageId::archive_unreadable);

  TempDir none;
  EXPECT_EQ(verify_archive(files, none.path()).message->id, MessageId::no_archive);
  write_file(none / "manifest.json", "[]");
  EXPECT_EQ(verify_archive(files, none.path()).result, JobResult::local_file);
}

// A manifest reads back as it was written; one that is not a manifest, or that would lead
// out of the archive, is no manifest.
TEST(ArchiveManifestText, RoundTripsAndRefusesWhatIsNoManifest) {
  const ArchiveManifest manifest{{"LG U8120", "", "U8120"},
                                 {{"Immagini", "città\n.jpg", "Immagini/città.jpg", 7, std::string(64, 'a'), "t"}}};
  const auto text = manifest_text(manifest);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("\"imei\": null"), std::string::npos);
  EXPECT_EQ(parse_manifest(*text), manifest);
  EXPECT_FALSE(manifest_text({{"LG U8120", "", "\xFF"}, {}})) << "not text";

  const std::pair<std::string, std::string> spoiled[] = {
      {"\"Immagini/città.jpg\"", "\"../città.jpg\""},
      {"\"Immagini/città.jpg\"", "\"/etc/passwd\""},
      {"\"Immagini/città.jpg\"", "\"Immagini//x\""},
      {"\"Immagini/città.jpg\"", "\"Immagini/\""},
      {"\"size\": 7", "\"size\": -7"},
      {std::string(64, 'a'), std::string(64, 'A')},
      {"\"version\": 1", "\"version\": 2"},
      {"\"imei\": null", "\"imei\": 5"},
      {"\"folder\": \"Immagini\",", ""},
  };
  for (const auto& [from, to] : spoiled) {
    std::string changed = *text;
    changed.replace(changed.find(from), from.size(), to);
    EXPECT_FALSE(parse_manifest(changed)) << to;
  }
}

}  // namespace
}  // namespace lg81xx::testing
