#include "window/qt/announcer.hpp"

namespace lumbrix {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Announcer"));
  // No size, no focus, nothing drawn: only screen readers know it is there.
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void Announcer::Say(const QString& text) {
  hide();
  setAccessibleName(text);
  show();
}

} // namespace lumbrix
