#pragma once

namespace lumbrix {

// What a key handler asks of its caller: carry on, or end the program now.
// The core never exits the process itself, so every path stays testable.
enum class Continuation { KeepRunning, EndProgram };

} // namespace lumbrix
