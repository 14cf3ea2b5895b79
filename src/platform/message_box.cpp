#include "platform/message_box.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/message_window.h"

namespace {
MessageSink currentSink = nullptr;
}

void setMessageSink(MessageSink sink) { currentSink = sink; }

void showMessageBox(const char* title, const std::string& text) {
    if (currentSink) {
        currentSink(title, text);
        return;
    }
    // A text may end in its own line feed; the line gets exactly one.
    std::string line = text;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    std::fprintf(stderr, "%s: %s\n", title, line.c_str());
    std::fflush(stderr);
    showMessageWindow(title, line);
}

void showMessageBoxf(const char* title, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(needed > 0 ? static_cast<size_t>(needed) + 1 : 1, '\0');
    if (needed > 0) std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    showMessageBox(title, std::string(buffer.data()));
}
