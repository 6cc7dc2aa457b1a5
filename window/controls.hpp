#pragma once

// The converter window's controls as data, read by every window shell, so
// that no place, text or role is written twice.

#include "runtime/translatable.hpp"
#include "window/product.hpp"

namespace lumbrix {

// Window geometry is kept in twips, 1440 to the inch (15 to a pixel at
// 96 dpi), so that the window grows with the logical resolution.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

enum class ControlKind { TextBox, Button };

// Text boxes take the window colour; the result row is set apart with the
// colour of menus.
enum class Background { Window, Menu };

struct Control {
  const char* name;
  ControlKind kind;
  TwipsRect rect;
  const char* text; // shown when the window opens
  int tabIndex;
  bool tabStop;
  bool readOnly;
  Background background;
  // What a screen reader calls the control, and what it says it is for.
  Translatable accessibleName;
  Translatable description;
  // The most UTF-16 units the box takes, typed or pasted; 0 where nobody
  // types. Qt's line edit and Win32's edit control hold this many at most.
  int maxLength;
};

inline constexpr TwipsRect kClientArea{0, 0, 2445, 855};

// In the order of creation: where neighbours overlap by a pixel, the later
// one is drawn on top. Tab moves between the tab stops by tab index.
inline constexpr Control kControls[] = {
    {.name = "Command",
     .kind = ControlKind::Button,
     .rect = {120, 600, 2220, 225},
     .text = kMaker,
     .tabIndex = 4,
     .tabStop = true,
     .readOnly = false,
     .background = Background::Window,
     .accessibleName = Untranslated(kMaker),
     .description =
         LUMBRIX_TRANSLATABLE("Controls", "Opens the maker's home page in the web browser"),
     .maxLength = 0},
    {.name = "Text1",
     .kind = ControlKind::TextBox,
     .rect = {0, 0, 2055, 255},
     .text = "632.8",
     .tabIndex = 0,
     .tabStop = true,
     .readOnly = false,
     .background = Background::Window,
     .accessibleName = LUMBRIX_TRANSLATABLE("Controls", "Value"),
     .description = LUMBRIX_TRANSLATABLE(
         "Controls", "A wavelength in nm or a photon energy in eV; press Enter to convert"),
     .maxLength = 32767},
    {.name = "Text3",
     .kind = ControlKind::TextBox,
     .rect = {2040, 0, 375, 255},
     .text = "nm",
     .tabIndex = 1,
     .tabStop = false,
     .readOnly = true,
     .background = Background::Window,
     .accessibleName = LUMBRIX_TRANSLATABLE("Controls", "Unit of the value"),
     .description = LUMBRIX_TRANSLATABLE("Controls", "nm for a wavelength, eV for a photon energy"),
     .maxLength = 0},
    {.name = "Text4",
     .kind = ControlKind::TextBox,
     .rect = {2040, 240, 375, 285},
     .text = "eV",
     .tabIndex = 3,
     .tabStop = false,
     .readOnly = true,
     .background = Background::Menu,
     .accessibleName = LUMBRIX_TRANSLATABLE("Controls", "Unit of the result"),
     .description = LUMBRIX_TRANSLATABLE("Controls", "eV for a photon energy, nm for a wavelength"),
     .maxLength = 0},
    {.name = "Text2",
     .kind = ControlKind::TextBox,
     .rect = {0, 240, 2055, 285},
     .text = "1.95954487989886",
     .tabIndex = 2,
     .tabStop = false,
     .readOnly = true,
     .background = Background::Menu,
     .accessibleName = LUMBRIX_TRANSLATABLE("Controls", "Result"),
     .description = LUMBRIX_TRANSLATABLE(
         "Controls", "The value converted: a wavelength gives an energy, and back"),
     .maxLength = 0},
};

} // namespace lumbrix
