// Drives the real window with real key and mouse events, offscreen.
#include "tests/support/form1_fixture.hpp"
#include "window/qt/box_font.hpp"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using lumbrix::Form1;

class Form1Test : public Form1Fixture {
  Q_OBJECT

  QPushButton* Command() { return form->findChild<QPushButton*>(QStringLiteral("Command")); }
  QStringList Texts() {
    return {Box("Text1")->text(), Box("Text2")->text(), Box("Text3")->text(), Box("Text4")->text()};
  }
  void Type(const QString& text) {
    QLineEdit* input = Box("Text1");
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Delete);
    QTest::keyClicks(input, text);
  }
  void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }
  // Whether the box shows all of its text: with it, the box has no need to
  // scroll, so the cursor at the end lies the text's width from the start.
  static bool ShowsWhole(QLineEdit* box) {
    const auto cursor = [box](qsizetype at) {
      box->setCursorPosition(static_cast<int>(at));
      return box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    const QRect start = cursor(0);
    const QRect end = cursor(box->text().size());
    const int width = box->fontMetrics().horizontalAdvance(box->text());
    return qAbs(end.center().x() - start.center().x() - width) <= 1 && box->rect().contains(end);
  }

private slots:
  void opensWithTheWorkedExample() {
    QCOMPARE(Texts(), (QStringList{"632.8", "1.95954487989886", "nm", "eV"}));
    QCOMPARE(form->windowTitle(), QStringLiteral("Lumbrix"));
    QCOMPARE(form->size(), QSize(163, 57));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(QApplication::focusWidget(), Box("Text1"));
    QCOMPARE(Command()->text(), QStringLiteral("Brimsel Co."));
  }

  void opensCentredOnTheScreen() {
    form->CenterOnScreen();
    const QPoint offset =
        form->frameGeometry().center() - form->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, "window is not centred");
  }

  void tabMovesOnlyBetweenInputAndButton() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Command());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box("Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Command());
  }

  void enterConverts_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("inputSelected");
    const int ret = Qt::Key_Return;
    QTest::newRow("energy") << "2" << ret << QStringList{"2", "620", "eV", "nm"} << true;
    QTest::newRow("keypad Enter") << "1240" << int(Qt::Key_Enter)
                                  << QStringList{"1240", "1", "nm", "eV"} << true;
    QTest::newRow("negative") << "-5" << ret << QStringList{"-5", "-248", "", ""} << true;
    QTest::newRow("not a number") << "abc" << ret << QStringList{"Enter a value here.", "", "", ""}
                                  << true;
    QTest::newRow("empty") << "" << ret << QStringList{"Enter a value here.", "", "", ""} << true;
    QTest::newRow("zero value") << "0.0" << ret << QStringList{"0.0", "", "", ""} << true;
    QTest::newRow("widest result")
        << "-123456789" << ret << QStringList{"-123456789", "-1.00440000914004E-05", "", ""}
        << true;
  }
  void enterConverts() {
    QFETCH(QString, input);
    QFETCH(int, key);
    QFETCH(QStringList, after);
    QFETCH(bool, inputSelected);
    Type(input);
    QTest::keyClick(Box("Text1"), Qt::Key(key));
    QCOMPARE(Texts(), after);
    QCOMPARE(Box("Text1")->selectedText() == Box("Text1")->text(), inputSelected);
    QVERIFY2(opened.isEmpty(), "Enter must not press the button");
  }

  // The widest texts the boxes get show whole, in the window and in a box
  // narrow enough that the font must shrink.
  void widestTextsShowWhole() {
    Type(QStringLiteral("-123456789"));
    QTest::keyClick(Box("Text1"), Qt::Key_Return);
    QVERIFY(ShowsWhole(Box("Text2")));
    Type(QStringLiteral("abc"));
    QTest::keyClick(Box("Text1"), Qt::Key_Return);
    QVERIFY(ShowsWhole(Box("Text1")));

    QLineEdit narrow(QStringLiteral("-1.00440000914004E-05"), form.get());
    narrow.setGeometry(0, 0, 115 * form->logicalDpiX() / 96, Box("Text2")->height());
    narrow.setFont(lumbrix::BoxFont(form->font(), narrow.width(), form->logicalDpiX()));
    narrow.show();
    QVERIFY(narrow.font().pixelSize() < Box("Text2")->font().pixelSize());
    QVERIFY(ShowsWhole(&narrow));
    narrow.setText(QStringLiteral("Enter a value here."));
    QVERIFY(ShowsWhole(&narrow));
  }

  // Holds at every logical dpi: CTest runs it again with large text.
  void controlsTileTheWindow() {
    const QRect window = form->rect();
    for (QWidget* control : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (control->size().isEmpty()) continue; // the notification screen readers hear
      QVERIFY2(window.contains(control->geometry()), qPrintable(control->objectName()));
    }
    // Neighbours share one line of pixels, across and down.
    const auto edge = [this](const char* name) { return Box(name)->geometry(); };
    QCOMPARE(edge("Text3").left(), edge("Text1").right());
    QCOMPARE(edge("Text4").left(), edge("Text2").right());
    QCOMPARE(edge("Text2").top(), edge("Text1").bottom());
    QCOMPARE(edge("Text4").top(), edge("Text3").bottom());
    QCOMPARE(edge("Text4").right(), edge("Text3").right());
    // The button's caption shows whole, at the size its font asks for.
    const QFontMetrics caption = Command()->fontMetrics();
    QVERIFY(caption.height() <= Command()->height());
    QVERIFY(caption.horizontalAdvance(Command()->text()) < Command()->width());
  }

  void typingReplacesTheSelectedInput() {
    Type(QStringLiteral("2"));
    QTest::keyClick(Box("Text1"), Qt::Key_Return);
    QTest::keyClicks(Box("Text1"), QStringLiteral("35"));
    QTest::keyClick(Box("Text1"), Qt::Key_Return);
    QCOMPARE(Texts(), (QStringList{"35", "35.4285714285714", "eV", "nm"}));
  }

  void escapeEmptiesThenEnds_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("in the input") << "Text1";
    QTest::newRow("in the result") << "Text2";
  }
  void escapeEmptiesThenEnds() {
    QFETCH(QString, box);
    QSignalSpy ended(form.get(), &Form1::endRequested);
    QLineEdit* target = Box(qPrintable(box));
    Click(target);
    QTest::keyClick(target, Qt::Key_Escape);
    QCOMPARE(Texts(), (QStringList{"", "", "", ""}));
    QCOMPARE(ended.count(), 0);
    QVERIFY(form->isVisible());
    QTest::keyClick(target, Qt::Key_Escape);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!form->isVisible());
    // Nothing is handled once the program is ending.
    QTest::keyClick(target, Qt::Key_Escape);
    QCOMPARE(ended.count(), 1);
  }

  // The second press of a double click, which the box would make a word
  // selection, is a click too.
  void clickSelectsTheWholeBox() {
    for (const char* name : {"Text1", "Text2"}) {
      QLineEdit* box = Box(name);
      box->setText(QStringLiteral("Enter a value here."));
      box->setCursorPosition(2);
      Click(box);
      QCOMPARE(box->selectedText(), box->text());
      QCOMPARE(box->selectionStart(), 0);
      QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, 5));
      QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5, 5));
      QCOMPARE(box->selectedText(), box->text());
    }
  }

  // A drag that ends outside the box is not a click: its selection stays.
  void releaseOutsideIsNoClick() {
    QLineEdit* input = Box("Text1");
    QTest::mousePress(input, Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mouseRelease(input, Qt::LeftButton, {}, QPoint(input->width() + 20, 8));
    QVERIFY(input->selectedText() != input->text());
  }

  void readOnlyBoxesRefuseTyping() {
    for (const char* name : {"Text2", "Text3", "Text4"}) {
      QLineEdit* box = Box(name);
      const QString before = box->text();
      Click(box);
      QCOMPARE(QApplication::focusWidget(), box);
      // The click selected it all: a key that types would replace it.
      QTest::keyClicks(box, QStringLiteral("7"));
      QCOMPARE(box->text(), before);
      QTest::keyClick(box, Qt::Key_Backspace);
      QCOMPARE(box->text(), before);
    }
  }

  void enterInResultChangesNothing() {
    // An input that Enter in the input would convert.
    Type(QStringLiteral("2"));
    QLineEdit* result = Box("Text2");
    Click(result);
    const QStringList before = Texts();
    QTest::keyClick(result, Qt::Key_Return);
    QCOMPARE(Texts(), before);
  }

  void buttonOpensTheHomePage() {
    QTest::mouseClick(Command(), Qt::LeftButton);
    QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("https://brimsel.example/"))}));
    QVERIFY(!form->findChild<QMessageBox*>());
    QCOMPARE(Texts(), (QStringList{"632.8", "1.95954487989886", "nm", "eV"}));
  }

  void unopenedHomePageNamesTheAddress() {
    openSucceeds = false;
    QTest::mouseClick(Command(), Qt::LeftButton);
    auto* warning = form->findChild<QMessageBox*>();
    QVERIFY(warning);
    QCOMPARE(warning->text(),
             QStringLiteral("The home page could not be opened:\nhttps://brimsel.example/"));
    QCOMPARE(Texts(), (QStringList{"632.8", "1.95954487989886", "nm", "eV"}));
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
