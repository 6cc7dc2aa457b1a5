#pragma once

namespace lumbrix {

// Gives the window's own widgets the roles and text interfaces screen
// readers need; Qt's defaults read the window as a filler and can freeze
// on the text boxes. Call before any of them is shown.
void InstallAccessibility();

} // namespace lumbrix
