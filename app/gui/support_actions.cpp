#include "support_actions.h"

#include <QSysInfo>
#include <QtGlobal>

#include "jobs/doctor.h"
#include "jobs/messages.h"
#include "jobs/recorded_sessions.h"
#include "jobs/support_report.h"
#include "platform/files.h"
#include "platform/posix/posix_system_probe.h"

namespace lg81xx::gui {
namespace {

std::vector<std::string> doctor_findings() {
  PosixSystemProbe probe;
  return doctor_lines(examine_connection(probe, std::nullopt));
}

void show(UserInterface& ui, const Message& message, const std::string& more = {}) {
  const auto& entry = message.entry();
  ui.message_box(message.italian() + more,
                 entry.kind == MessageKind::error ? MessageStyle::critical : MessageStyle::information, entry.title);
}

}  // namespace

void save_support_report(UserInterface& ui) {
  const auto path = ui.save_file("Archivio ZIP (*.zip)", default_report_name());
  if (!path) return;
  LocalFiles files;
  const ReportFacts facts{"lg81xx " LG81XX_VERSION,
                          QSysInfo::prettyProductName().toStdString() + " " + QSysInfo::kernelVersion().toStdString() +
                              " " + QSysInfo::currentCpuArchitecture().toStdString(),
                          qVersion(), doctor_findings(), sessions_folder()};
  const auto entries = support_report(files, facts);
  const auto zip = zip_archive(entries);
  // The save dialog has asked before a file there is replaced.
  const SaveResult saved = zip ? files.save(*path, *zip, Replace::regular_file) : SaveResult::failed;
  if (saved != SaveResult::ok) return show(ui, {MessageId::report_not_saved, " " + *path, {}});
  std::string held;
  for (const auto& entry : entries) held += "\n" + entry.name;
  show(ui, {MessageId::report_saved, " " + *path, {}}, held);
}

}  // namespace lg81xx::gui
