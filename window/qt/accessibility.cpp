#include "window/qt/accessibility.hpp"

#include "window/qt/announcer.hpp"
#include "window/qt/form1.hpp"
#include "window/qt/text_box.hpp"
#include "window/qt/text_box_accessible.hpp"

#include <QAccessibleWidget>

namespace lumbrix {
namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("lumbrix::TextBox"))
    return TextBoxAccessible(qobject_cast<TextBox*>(object));
  if (className == QLatin1String("lumbrix::Form1"))
    return new QAccessibleWidget(qobject_cast<Form1*>(object), QAccessible::Window);
  if (className == QLatin1String("lumbrix::Announcer"))
    return new QAccessibleWidget(qobject_cast<Announcer*>(object), QAccessible::Notification);
  return nullptr;
}

} // namespace

void InstallAccessibility() { QAccessible::installFactory(&Factory); }

} // namespace lumbrix
