#include "window/win32/screen_reader_texts.hpp"

#include "window/win32/translated_text.hpp"

#include <oleacc.h>

#include <iterator>

namespace lumbrix {
namespace {

// UI Automation's LiveSetting property, which the MinGW headers lack, and
// its value Polite.
constexpr GUID kLiveSetting{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

} // namespace

ScreenReaderTexts::ScreenReaderTexts() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services_))))
    services_ = nullptr;
}

ScreenReaderTexts::~ScreenReaderTexts() {
  if (services_) services_->Release();
}

void ScreenReaderTexts::Describe(HWND control, const Control& row) {
  if (!services_) return;
  services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                            Translated(row.accessibleName).c_str());
  services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                            Translated(row.description).c_str());
}

void ScreenReaderTexts::MarkLiveRegion(HWND control) {
  if (!services_) return;
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPolite;
  services_->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kLiveSetting, polite);
}

void ScreenReaderTexts::Forget(HWND control) {
  if (!services_) return;
  const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION, kLiveSetting};
  services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, props,
                            static_cast<int>(std::size(props)));
}

} // namespace lumbrix
