#pragma once

#include <array>
#include <string>

namespace norvane {

// The three restarts a receiver can be sent, by its buttons or by the restart test. Declared in
// the order the automatic run takes them, which kindIndex also numbers the test's fields by.
enum class RestartKind { Cold, Warm, Hot };

// Automatic runs, the live count and the phase order go cold, warm, hot.
constexpr std::array<RestartKind, 3> kAutoOrder = {RestartKind::Cold, RestartKind::Warm, RestartKind::Hot};
// Single runs are looked at hot, warm, cold.
constexpr std::array<RestartKind, 3> kSingleOrder = {RestartKind::Hot, RestartKind::Warm, RestartKind::Cold};

constexpr int kindIndex(RestartKind kind)
{
    return static_cast<int>(kind);
}

// "AUTO Cold ", "AUTO Warm " or "AUTO Hot ": the head of an automatic run's messages.
std::string autoMessageHead(RestartKind kind);

} // namespace norvane
