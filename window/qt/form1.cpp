#include "window/qt/form1.hpp"

#include "conversion/spoken_result.hpp"
#include "window/layout.hpp"
#include "window/product.hpp"
#include "window/qt/accessibility.hpp"
#include "window/qt/announcer.hpp"
#include "window/qt/box_fields.hpp"
#include "window/qt/box_font.hpp"
#include "window/qt/text_box.hpp"
#include "window/qt/translations.hpp"
#include "window/start_text.hpp"
#include "window/texts.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace lumbrix {
namespace {

// A control's rectangle in pixels at `dpi`.
QRect PixelRect(const TwipsRect& twips, int dpi) {
  const PixelEdges edges = ToPixels(twips, dpi);
  return QRect(edges.left, edges.top, edges.width(), edges.height());
}

// Read-only boxes still take focus by a click and select, but stay out of
// the Tab order.
void MakeReadOnly(TextBox* box) {
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::ClickFocus);
}

// The result row is set apart with the colour of the window behind it,
// which is also the menus' colour here.
void UseMenuBackground(TextBox* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  box->setPalette(palette);
}

// Creates a control from its row of the table, at `dpi`, its numbers written
// with `separator`.
void MakeControl(const Control& control, QWidget* parent, const QFont& boxFont, int dpi,
                 char16_t separator) {
  QWidget* widget;
  if (control.kind == ControlKind::Button) {
    auto* button = new QPushButton(QString::fromUtf8(control.text), parent);
    button->setFont(ButtonFont());
    button->setAutoDefault(false);
    button->setDefault(false);
    widget = button;
  } else {
    auto* box = new TextBox(QString::fromUtf8(StartText(control, separator)), parent);
    box->setFont(boxFont);
    if (control.readOnly) MakeReadOnly(box);
    if (control.background == Background::Menu) UseMenuBackground(box);
    box->setCursorPosition(0);
    widget = box;
  }
  widget->setObjectName(QString::fromUtf8(control.name));
  widget->setGeometry(PixelRect(control.rect, dpi));
  widget->setAccessibleName(Translated(control.accessibleName));
  widget->setAccessibleDescription(Translated(control.description));
}

QIcon WindowIcon() {
  QIcon icon;
  for (const char* path : {":/icons/lumbrix-48.png", ":/icons/lumbrix-32.png"}) {
    // Naming the format spares start-up the loading of every image plugin
    // that Qt would otherwise ask whether it can read the file.
    QImageReader reader(QString::fromLatin1(path), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

} // namespace

Form1::Form1(UrlOpener openUrl, QUrl homePage, QWidget* parent)
    : QWidget(parent),
      // Qt reads the region's number format from LC_ALL, LC_NUMERIC or LANG.
      separator_(DecimalSeparatorFrom(QLocale().decimalPoint().toStdU16String())),
      openUrl_(std::move(openUrl)), homePage_(std::move(homePage)) {
  InstallAccessibility();

  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(kProductName));
  // A title bar with a close button only; a fixed size alone still offers
  // minimize and maximize on X11.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // Twips are physical: with large text (a higher logical dpi) the window
  // and everything in it grow. Where Qt scales the window itself, the
  // logical dpi stays 96.
  const int dpi = logicalDpiX();
  setFixedSize(PixelRect(kClientArea, dpi).size());

  setWindowIcon(WindowIcon());

  const QFont boxFont = BoxFont(font(), PixelRect(ControlNamed("Text1").rect, dpi).width(), dpi);
  for (const Control& control : kControls) MakeControl(control, this, boxFont, dpi, separator_);
  Command = qobject_cast<QPushButton*>(Child("Command"));
  Text1 = qobject_cast<TextBox*>(Child("Text1"));
  Text2 = qobject_cast<TextBox*>(Child("Text2"));
  Text3 = qobject_cast<TextBox*>(Child("Text3"));
  Text4 = qobject_cast<TextBox*>(Child("Text4"));

  announcer_ = new Announcer(this);

  // Tab moves between the tab stops by tab index; the focus starts at the
  // lowest.
  std::vector<const Control*> stops;
  for (const Control& control : kControls)
    if (control.tabStop) stops.push_back(&control);
  std::ranges::sort(stops, {}, &Control::tabIndex);
  for (std::size_t i = 1; i < stops.size(); ++i)
    setTabOrder(Child(stops[i - 1]->name), Child(stops[i]->name));
  Child(stops.front()->name)->setFocus();

  // The result box is out of the Tab order, so the input's context menu
  // (Menu key or Shift+F10) is the keyboard's way to copy the result.
  Text1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Text1, &QWidget::customContextMenuRequested, this, &Form1::ShowInputMenu);

  connect(Text1, &TextBox::keyAscii, this, [this](KeyAscii key) {
    Handle([this, key](auto& f) { return Text1_KeyPress(f, key, separator_); });
    // The result appears in a box without focus: say it.
    if (key == kKeyEnter && !ended_)
      announcer_->Say(QString::fromStdU16String(
          SpokenResult(ReadFields(), Translated(kNoResultForZero).toStdU16String())));
  });
  connect(Text2, &TextBox::keyAscii, this,
          [this](KeyAscii key) { Handle([key](auto& f) { return Text2_KeyPress(f, key); }); });
  connect(Text1, &TextBox::clicked, this,
          [this] { Handle([](auto& f) { return Text1_Click(f), Continuation::KeepRunning; }); });
  connect(Text2, &TextBox::clicked, this,
          [this] { Handle([](auto& f) { return Text2_Click(f), Continuation::KeepRunning; }); });
  connect(Command, &QPushButton::clicked, this, &Form1::Command_Click);
}

QWidget* Form1::Child(const char* name) const {
  return findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void Form1::CenterOnScreen() {
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

ConverterFields Form1::ReadFields() const {
  return {ReadBox(*Text1), ReadBox(*Text2), Text3->text().toStdU16String(),
          Text4->text().toStdU16String()};
}

void Form1::Handle(const std::function<Continuation(ConverterFields&)>& handler) {
  if (ended_) return;
  const ConverterFields before = ReadFields();
  ConverterFields after = before;
  if (handler(after) == Continuation::EndProgram) {
    ended_ = true;
    emit endRequested();
    close();
    return;
  }
  WriteBox(*Text1, before.Text1, after.Text1);
  WriteBox(*Text2, before.Text2, after.Text2);
  WriteText(*Text3, before.Text3, after.Text3);
  WriteText(*Text4, before.Text4, after.Text4);
}

void Form1::ShowInputMenu(const QPoint& position) {
  QMenu* menu = Text1->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addSeparator();
  QAction* copy = menu->addAction(Translated(kCopyResult), this,
                                  [this] { QGuiApplication::clipboard()->setText(Text2->text()); });
  copy->setObjectName(QStringLiteral("CopyResult"));
  copy->setEnabled(!Text2->text().isEmpty());
  menu->popup(Text1->mapToGlobal(position));
}

void Form1::Command_Click() {
  if (openUrl_(homePage_)) return;
  // Name the address so the user can open it by hand.
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                              Translated(kHomePageWarning).arg(homePage_.toString()),
                              QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("HomePageWarning"));
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

} // namespace lumbrix
