#pragma once
// Which device the text of the port box names. The twenty items "COM  1" .. "COM  20" stand for
// the platform's serial port of that number; because the box is editable, a text that
// names a device ("/dev/ttyACM0", "/dev/pts/3") opens that device directly. A detected
// port may be offered as "device (description)": the description is dropped.
#include <optional>
#include <string>
#include <string_view>

namespace lg81xx {

inline constexpr int kComItems = 20;  // "COM  1" .. "COM  20"

// The port item of `number` as the port box lists it: COM, two blanks, the number.
std::string com_item(int number);

// "COM" + a number on this platform: "/dev/ttyS<n-1>" on Linux, "COM<n>" on Windows.
std::string com_device(int number);

// The number of a text written as a COM item ("COM  3", "COM3", "com 12"), whatever its
// value; nothing for a text of any other form.
std::optional<int> com_number(std::string_view combo_text);

// The device to open for `combo_text`, or the empty text when it names none (no text, or
// a COM item outside 1..kComItems).
std::string port_device(std::string_view combo_text);

// How a detected port is offered in the port box (port_device gives `device` back).
std::string port_item(const std::string& device, const std::string& description);

}  // namespace lg81xx
