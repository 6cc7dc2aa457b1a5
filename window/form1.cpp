#include "window/form1.hpp"

#include "window/box_fields.hpp"
#include "window/box_font.hpp"
#include "window/text_box.hpp"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace lumbrix {
namespace {

// Geometry in device-independent pixels, exact at 96 dpi. Neighbouring boxes
// overlap by one pixel so that their frames share a line.
constexpr QSize kClientSize{163, 57};
constexpr QRect kText1Rect{0, 0, 137, 17};
constexpr QRect kText3Rect{136, 0, 25, 17};
constexpr QRect kText2Rect{0, 16, 137, 19};
constexpr QRect kText4Rect{136, 16, 25, 19};
constexpr QRect kCommandRect{8, 40, 148, 15};

TextBox* MakeBox(QWidget* parent, const char* name, const QRect& rect, const char* text,
                 const char* accessibleName, const QFont& font) {
  auto* box = new TextBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(rect);
  box->setFont(font);
  box->setAccessibleName(QString::fromLatin1(accessibleName));
  return box;
}

// Read-only boxes still take focus by a click and select, but stay out of
// the Tab order.
void MakeReadOnly(TextBox* box) {
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::ClickFocus);
}

// Result boxes are set apart with the colour of the window behind them.
void UseWindowBackground(TextBox* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  box->setPalette(palette);
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
    : QWidget(parent), openUrl_(std::move(openUrl)), homePage_(std::move(homePage)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Lumbrix"));
  // A title bar with a close button only; a fixed size alone still offers
  // minimize and maximize on X11.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientSize);

  setWindowIcon(WindowIcon());

  // Created in this order so that where neighbours overlap, the later one
  // is drawn on top.
  Command = new QPushButton(QStringLiteral("Brimsel Co."), this);
  Command->setObjectName(QStringLiteral("Command"));
  Command->setGeometry(kCommandRect);
  Command->setFont(ButtonFont());
  Command->setAutoDefault(false);
  Command->setDefault(false);

  const QFont boxFont = BoxFont(font(), kText1Rect.width());
  Text1 = MakeBox(this, "Text1", kText1Rect, "632.8", "Value", boxFont);
  Text3 = MakeBox(this, "Text3", kText3Rect, "nm", "Value unit", boxFont);
  Text4 = MakeBox(this, "Text4", kText4Rect, "eV", "Result unit", boxFont);
  Text2 = MakeBox(this, "Text2", kText2Rect, "1.95954487989886", "Result", boxFont);
  for (TextBox* box : {Text2, Text3, Text4}) MakeReadOnly(box);
  for (TextBox* box : {Text2, Text4}) UseWindowBackground(box);
  for (TextBox* box : {Text1, Text2, Text3, Text4}) box->setCursorPosition(0);

  setTabOrder(Text1, Command);
  Text1->setFocus();

  connect(Text1, &TextBox::keyAscii, this,
          [this](KeyAscii key) { Handle([key](auto& f) { return Text1_KeyPress(f, key); }); });
  connect(Text2, &TextBox::keyAscii, this,
          [this](KeyAscii key) { Handle([key](auto& f) { return Text2_KeyPress(f, key); }); });
  connect(Text1, &TextBox::clicked, this,
          [this] { Handle([](auto& f) { return Text1_Click(f), Continuation::KeepRunning; }); });
  connect(Text2, &TextBox::clicked, this,
          [this] { Handle([](auto& f) { return Text2_Click(f), Continuation::KeepRunning; }); });
  connect(Command, &QPushButton::clicked, this, &Form1::Command_Click);
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

void Form1::Command_Click() {
  if (openUrl_(homePage_)) return;
  // Name the address so the user can open it by hand.
  auto* box =
      new QMessageBox(QMessageBox::Warning, windowTitle(),
                      tr("The home page could not be opened:\n%1").arg(homePage_.toString()),
                      QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("HomePageWarning"));
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

} // namespace lumbrix
