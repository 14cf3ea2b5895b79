#include "platform/console.h"

#include <iostream>

namespace {
std::ostream* current = nullptr;
}

std::ostream& console() { return current ? *current : std::cout; }

void setConsoleStream(std::ostream* stream) { current = stream; }
