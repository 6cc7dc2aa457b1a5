#pragma once

#include <string>
#include <string_view>

namespace lumbrix {

// Texts are UTF-16, as the window toolkit holds them, so lengths and
// selection positions count the same units on both sides.
using Text = std::u16string;
using TextView = std::u16string_view;

} // namespace lumbrix
