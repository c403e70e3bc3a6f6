// What a receiver sounds like to a port set to another rate: every byte arrives mangled, and a
// '$' that could start a sentence never comes through.
#pragma once

#include <string>

namespace norvane::sim {

class LineGarbler {
public:
    std::string garble(const std::string& bytes);

private:
    unsigned counter_ = 0;
};

} // namespace norvane::sim
