#include "support/message_capture.h"

#include "platform/message_box.h"

namespace {
std::vector<CapturedMessage> captured;

void collect(const char* title, const std::string& text) { captured.push_back({title, text}); }
}  // namespace

MessageCapture::MessageCapture() {
    captured.clear();
    setMessageSink(collect);
}

MessageCapture::~MessageCapture() { setMessageSink(nullptr); }

const std::vector<CapturedMessage>& MessageCapture::messages() const { return captured; }

void MessageCapture::clear() { captured.clear(); }
