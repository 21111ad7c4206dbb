// The modal message box, with the codes and answers the games use, and one seam for tests.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "common/core/MsgBoxCodes.h"

namespace halvoria {

// The box reads the whole code: the low four bits choose the buttons (0 OK, 1 OK and Cancel, 3 Yes,
// No and Cancel, 4 Yes and No), 16/32/48/64 the icon (critical, question, warning, information),
// 256 and 512 preselect the second or third button. The games use the codes of MsgBoxCodes.h.

// Shows text (UTF-8, lines broken by CR LF) and returns the button pressed: 1 for OK, 6 for Yes,
// 7 for No, 2 for Cancel. Closing a Yes/No box without a button answers No.
int MsgBox(QWidget* parent, const std::string& text, int code, const std::string& title);

// While a handler is set, MsgBox calls it instead of showing a box and returns its answer.
using MsgBoxHandler =
    std::function<int(const std::string& text, int code, const std::string& title)>;
// An empty handler restores the real box.
void SetMsgBoxHandler(MsgBoxHandler handler);

}  // namespace halvoria
