#pragma once
// The commands of the phone's frames (the two bytes after FF 7D DF), shared by the client's
// frame builders, the trace reader and the virtual phone.
namespace lg81xx::commands {

inline constexpr unsigned kSessionOpen = 0x0081;
inline constexpr unsigned kDisconnect = 0x0082;
inline constexpr unsigned kInformation = 0x0083;
inline constexpr unsigned kKeepAlive = 0x00A1;
inline constexpr unsigned kSessionStart = 0x2081;  // the second session command, 20 81
inline constexpr unsigned kRootFolders = 0x2082;
inline constexpr unsigned kListing = 0x2083;
inline constexpr unsigned kGet = 0x2086;
inline constexpr unsigned kContinue = 0x20A0;  // a download's continuation
inline constexpr unsigned kUploadBlock = 0x2005;
inline constexpr unsigned kUploadLastBlock = 0x2085;
inline constexpr unsigned kInstallFolder = 0x2088;
inline constexpr unsigned kInstallName = 0x2089;

}  // namespace lg81xx::commands
