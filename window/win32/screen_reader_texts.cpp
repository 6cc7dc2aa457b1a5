#include "window/win32/screen_reader_texts.hpp"

#include "window/win32/translated_text.hpp"

#include <oleacc.h>

namespace lumbrix {

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

void ScreenReaderTexts::Forget(HWND control) {
  if (!services_) return;
  MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
  services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, props, 2);
}

} // namespace lumbrix
