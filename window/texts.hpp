#pragma once

#include "runtime/translatable.hpp"

// The window's texts that belong to no control, for every shell.

namespace lumbrix {

// The input's context menu item that copies the result box.
inline constexpr Translatable kCopyResult = LUMBRIX_TRANSLATABLE("Form1", "Copy result");

// Shown when the home page cannot be opened; %1 is its address.
inline constexpr Translatable kHomePageWarning =
    LUMBRIX_TRANSLATABLE("Form1", "The home page could not be opened:\n%1");

} // namespace lumbrix
