// The codes of a message box, shared by the engines that ask and the window that shows the box:
// the buttons and icon a box shows, added together, and the button a player pressed.
#pragma once

namespace halvoria {

// Buttons: 0 OK alone, 4 Yes and No.
inline constexpr int kMsgBoxOkOnly = 0;
inline constexpr int kMsgBoxYesNo = 4;
// Icons: 32 question, 64 information.
inline constexpr int kMsgBoxQuestion = 32;
inline constexpr int kMsgBoxInformation = 64;
// The two boxes the games show: information with OK, and a question with Yes and No.
inline constexpr int kMsgBoxInformationOk = kMsgBoxInformation + kMsgBoxOkOnly;
inline constexpr int kMsgBoxQuestionYesNo = kMsgBoxQuestion + kMsgBoxYesNo;

// The button pressed.
inline constexpr int kMsgBoxOk = 1;
inline constexpr int kMsgBoxCancel = 2;
inline constexpr int kMsgBoxYes = 6;
inline constexpr int kMsgBoxNo = 7;

}  // namespace halvoria
