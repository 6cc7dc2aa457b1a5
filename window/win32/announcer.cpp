#include "window/win32/announcer.hpp"

#include "window/win32/wide.hpp"

namespace lumbrix {

void Announcer::Create(HWND parent, HINSTANCE instance, ScreenReaderTexts& texts) {
  // Shown, so that it counts as on screen, but with no size, so that nothing
  // shows. Its window text is its name.
  control_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                             parent, nullptr, instance, nullptr);
  texts.MarkLiveRegion(control_);
}

void Announcer::Say(const Text& text) const {
  SetWindowTextW(control_, ToWide(text).c_str());
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control_, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace lumbrix
