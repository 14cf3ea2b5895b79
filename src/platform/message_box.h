#pragma once
// The game's modal message box: one line on standard error, "<title>: <text>",
// and, when there is a display, a box on the desktop that the caller waits
// for until the player dismisses it. The caller carries on after it returns.
#include <string>

void showMessageBox(const char* title, const std::string& text);

// Formats like printf and shows the result.
void showMessageBoxf(const char* title, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Tests capture the messages instead of printing them. Passing nullptr
// restores standard error.
using MessageSink = void (*)(const char* title, const std::string& text);
void setMessageSink(MessageSink sink);
