#pragma once
// The system's message box, for messages that must reach the user even when
// the game's own dialogs cannot be drawn.
#include <functional>
#include <string>

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo };

// Shows the box and waits for the answer: 0 for the first button (OK, Yes),
// 1 for the second (Cancel, No; also closing the box). Without a display the
// text goes to the message log and the answer is 0.
int MessageBox(const std::string& title, const std::string& text, MessageButtons buttons = MessageButtons::Ok);

// Tests answer the boxes themselves; empty restores the system's box.
using MessageBoxHandler = std::function<int(const std::string& title, const std::string& text, MessageButtons)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
// Where boxes go without a display: standard error unless replaced.
void SetMessageLog(std::function<void(const std::string& line)> log);

}  // namespace platform
