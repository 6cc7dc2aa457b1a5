#pragma once

#include <QWidget>

namespace lumbrix {

// An invisible notification for screen readers. They speak a notification
// as it appears, whatever has the focus; the result box's own changes go
// unspoken, as it has none.
class Announcer : public QWidget {
  Q_OBJECT

public:
  explicit Announcer(QWidget* parent);

  // Appears anew under `text`, even when that is what it said last.
  void Say(const QString& text);
};

} // namespace lumbrix
