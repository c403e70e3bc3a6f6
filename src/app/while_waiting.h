#pragma once

namespace norvane {

// The windows' part in the program's fixed waits (an acknowledgement, a rate switch, a backlog
// discarded): what the program has changed is painted during the wait, while a click waits for
// its turn after it, as it always has.
void paintWindowsWhileWaiting();

} // namespace norvane
