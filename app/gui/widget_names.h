#pragma once
// The object names of the window's widgets: what the window's tests, accessibility tools
// and style sheets see. A widget that stands for a control of the legacy window keeps that
// control's name (Combo1, Command3, Label5 ...); this table is the one place that says
// which is which. The golden transcripts name what the window shows by the same names.
namespace lg81xx::gui::names {

inline constexpr const char* kWindow = "Form1";
inline constexpr const char* kStatusLine = "status";
inline constexpr const char* kFileMenu = "menu_file";
inline constexpr const char* kPhoneMenu = "menu_phone";
inline constexpr const char* kHelpMenu = "menu_help";

inline constexpr const char* kConnectionGroup = "Frame1";
inline constexpr const char* kModelLabel = "Label1";
inline constexpr const char* kModelBox = "Combo1";
inline constexpr const char* kPortLabel = "Label2";
inline constexpr const char* kPortBox = "Combo2";
inline constexpr const char* kConnectButton = "Command1";
inline constexpr const char* kFastTick = "fast";

inline constexpr const char* kPhonePanel = "PhonePanel";
inline constexpr const char* kImei = "Label3";
inline constexpr const char* kImeiCaption = "Label3Caption";
inline constexpr const char* kInformation = "Label4";
inline constexpr const char* kInformationCaption = "Label4Caption";
inline constexpr const char* kLampLabel = "Label9";
inline constexpr const char* kGreenLamp = "ledv";
inline constexpr const char* kRedLamp = "ledr";

inline constexpr const char* kProgressGroup = "Frame2";
inline constexpr const char* kProgress = "Label5";
inline constexpr const char* kCancelButton = "cancel";

inline constexpr const char* kTabs = "SSTab1";
inline constexpr const char* kJavaTab = "JavaTab";
inline constexpr const char* kJavaHeading = "Label10";
inline constexpr const char* kPositionLabel = "Label6";
inline constexpr const char* kPositionBox = "Text1";
inline constexpr const char* kLoadButton = "Command2";
inline constexpr const char* kEmulationTick = "nokia";
inline constexpr const char* kLoadedLabel = "Label7";
inline constexpr const char* kLoadedArchive = "Label8";
inline constexpr const char* kInstallButton = "Command3";
inline constexpr const char* kProbeButton = "Command4";

inline constexpr const char* kSoundsTab = "SoundsTab";
inline constexpr const char* kReplaceSoundButton = "Command5";  // the option buttons take the sounds' names
inline constexpr const char* kRestoreSoundButton = "restore_sound";

inline constexpr const char* kFilesTab = "FilesTab";
inline constexpr const char* kFoldersList = "List1";
inline constexpr const char* kEntriesList = "List2";
inline constexpr const char* kDownloadButton = "Command7";
inline constexpr const char* kSendButton = "send_file";
inline constexpr const char* kBackupButton = "backup";
inline constexpr const char* kRestoreBackupButton = "restore_backup";

}  // namespace lg81xx::gui::names
