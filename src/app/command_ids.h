#pragma once

// Command numbers of the main window. They name menu items, toolbar buttons and accelerators
// alike; a command without a handler (Ctrl+T, Ctrl+Alt+P, the help keys) does nothing.
namespace CommandId {
constexpr int kReadData = 32771;
constexpr int kWriteData = 32772;
constexpr int kPortCom1 = 32773;
constexpr int kPortCom2 = 32775;
constexpr int kPortCom3 = 32776;
constexpr int kPortCom4 = 32777;
constexpr int kUnhandledCtrlT = 32778;
constexpr int kOptionalFeatures = 32783;
constexpr int kTuning = 32785;
constexpr int kUnhandledCtrlAltP = 32786;
constexpr int kFileOpenBackup = 32790;
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kContextHelp = 57669;
constexpr int kHelp = 57670;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
} // namespace CommandId
