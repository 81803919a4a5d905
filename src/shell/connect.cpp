// Command1 both connects and disconnects: it opens the port and runs the connect sequence,
// or says goodbye to the phone and closes the port.
#include "link/port_names.h"
#include "phone/frames/root_folders.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr std::size_t kImeiStart = 10;  // character 11 of the answer to AT+CGSN
constexpr std::size_t kImeiLength = 15;
constexpr std::size_t kInfoStart = 11;  // character 12 once the 00 bytes are gone
constexpr std::size_t kInfoLengthU813 = 14;
constexpr std::size_t kInfoLengthU811 = 5;

std::string cut(std::string_view text, std::size_t start, std::size_t length) {
  return start < text.size() ? std::string(text.substr(start, length)) : std::string{};
}

}  // namespace

void Form1::Command1_Click() {
  Label3.caption.clear();
  Label4.caption.clear();
  auto& port = platform_.port;

  if (port.is_open()) {
    link_busy = true;
    link_.send(frames.disconnect_frame);
    port.close();
    last_result = JobResult::ok;
    return;
  }

  const std::string device = port_device(Combo2.text);
  if (device.empty()) {
    fail(JobResult::not_connected, text::kNoPortChosen, MessageStyle::critical, text::kErrorTitle);
    return;
  }
  if (!port.open(device)) {
    std::string why = std::string(text::kPortOpenFailed) + ": " + device;
    if (!port.error_text().empty()) why += " (" + port.error_text() + ")";
    fail(JobResult::not_connected, why, MessageStyle::critical, text::kErrorTitle);
    return;
  }
  frame_seq = 0;
  link_busy = true;

  // The sequence tests no answer; only a line that went away stops it.
  auto lost = [&] {
    if (port.is_open()) return false;
    fail(JobResult::link_lost, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
    return true;
  };

  Label3.caption = cut(query_imei(), kImeiStart, kImeiLength);
  enter_obex_mode();
  obex_connect();
  open_session();
  const std::string info = without_nuls(request_phone_info());
  if (lost()) return;
  const Family fam = family();
  if (fam == Family::u813) Label4.caption = cut(info, kInfoStart, kInfoLengthU813);
  if (fam == Family::u811_u812) Label4.caption = cut(info, kInfoStart, kInfoLengthU811);
  platform_.ui.repaint();

  send_command_2081();
  if (fam == Family::u813) {
    List1.clear();
    List1.items = root_folders(without_nuls(request_root_list()));
    List1.items.push_back("Java");
  } else if (fam == Family::u811_u812) {
    List1.clear();
    List1.items = {"Immagini", "Audio", "Video", "Java"};
  }
  if (lost()) return;
  link_busy = false;
  calcola_pos();
}

}  // namespace lg81xx
