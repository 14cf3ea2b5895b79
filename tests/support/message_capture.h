#pragma once
// Collects the message boxes shown while it lives.
#include <string>
#include <vector>

struct CapturedMessage {
    std::string title;
    std::string text;
};

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    const std::vector<CapturedMessage>& messages() const;
    void clear();
};
