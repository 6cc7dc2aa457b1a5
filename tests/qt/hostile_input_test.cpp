// Pastes hostile texts into the real window, offscreen, and checks that Enter
// always leaves the boxes in one of the converter's own states.
#include "tests/support/form1_fixture.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using lumbrix::Form1;

namespace {

// What Enter must leave behind.
enum class After { Result, Prompt, ZeroValue };

const QString kPrompt = QStringLiteral("Enter a value here.");
constexpr qsizetype kMegabyte = 1 << 20;

QString Repeat(const QString& piece, qsizetype length) {
  return piece.repeated(length / piece.size() + 1).left(length);
}

QString Utf16(std::initializer_list<char16_t> units) {
  QString text;
  for (char16_t unit : units) text += QChar(unit);
  return text;
}

} // namespace

Q_DECLARE_METATYPE(After)

class HostileInputTest : public Form1Fixture {
  Q_OBJECT

  bool WhollySelected(QLineEdit* box) {
    return box->selectionStart() == 0 && box->selectedText() == box->text();
  }
  void Paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QLineEdit* input = Box("Text1");
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
  }

private slots:
  void pasteThenEnter_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<After>("after");
    // Control row: proves the paste itself reaches the box.
    QTest::newRow("plain number") << QStringLiteral("632.8") << After::Result;
    // Far too large for a double once cut to the box's length.
    QTest::newRow("1 MB of digits")
        << Repeat(QStringLiteral("1234567890"), kMegabyte) << After::Prompt;
    QTest::newRow("1 MB of zeros after 0.")
        << QString(QStringLiteral("0.") + QString(kMegabyte, u'0')) << After::ZeroValue;
    // The length limit falls between the two halves of a surrogate pair.
    QTest::newRow("pair cut by the length limit")
        << QString(QString(32766, u'1') + Utf16({0xD83D, 0xDE00})) << After::Prompt;
    QTest::newRow("NUL inside a number")
        << Utf16({u'6', u'3', 0, u'2', u'.', u'8'}) << After::Prompt;
    QTest::newRow("NUL alone") << Utf16({0}) << After::Prompt;
    QTest::newRow("NUL after a number") << Utf16({u'5', 0}) << After::Prompt;
    QTest::newRow("lone high surrogate") << Utf16({0xD800}) << After::Prompt;
    QTest::newRow("lone low surrogate") << Utf16({0xDC00}) << After::Prompt;
    QTest::newRow("reversed pair") << Utf16({0xDE00, 0xD83D}) << After::Prompt;
    QTest::newRow("high surrogate after digits") << Utf16({u'6', u'3', 0xD83D}) << After::Prompt;
    QTest::newRow("low surrogate among digits") << Utf16({u'6', 0xDC00, u'3'}) << After::Prompt;
    QTest::newRow("Arabic letters") << QStringLiteral("\u0633\u0644\u0627\u0645") << After::Prompt;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0666\u0663\u0662") << After::Prompt;
    QTest::newRow("Hebrew letters") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD") << After::Prompt;
    QTest::newRow("digits after Hebrew") << QStringLiteral("\u05D0632.8") << After::Prompt;
    QTest::newRow("RLO around a digit") << QStringLiteral("\u202E5\u202C") << After::Prompt;
    QTest::newRow("LRM before a number") << QStringLiteral("\u200E632.8") << After::Prompt;
    QTest::newRow("RLM after a number") << QStringLiteral("632.8\u200F") << After::Prompt;
    QTest::newRow("number between RLO and PDF")
        << QStringLiteral("\u202E632.8\u202C") << After::Prompt;
    QTest::newRow("number in an isolate") << QStringLiteral("\u2067632.8\u2069") << After::Prompt;
    QTest::newRow("unclosed RLO before a number") << QStringLiteral("\u202E632.8") << After::Prompt;
    QTest::newRow("combining accent on a digit") << QStringLiteral("5\u0301") << After::Prompt;
    QTest::newRow("combining marks alone") << QStringLiteral("\u0301\u0308\u20DD") << After::Prompt;
    QTest::newRow("full-width digits")
        << QStringLiteral("\uFF16\uFF13\uFF12\uFF0E\uFF18") << After::Prompt;
    QTest::newRow("full-width point") << QStringLiteral("632\uFF0E8") << After::Prompt;
  }
  void pasteThenEnter() {
    QFETCH(QString, pasted);
    QFETCH(After, after);
    QLineEdit* input = Box("Text1");
    Paste(pasted);
    // The box keeps the start of the text as it came, up to its limit.
    const QString kept = pasted.left(input->maxLength());
    QCOMPARE(input->text().size(), kept.size());
    QVERIFY2(input->text() == kept, "the pasted text was changed");

    QTest::keyClick(input, Qt::Key_Return);
    const QString result = Box("Text2")->text();
    const QString units[] = {Box("Text3")->text(), Box("Text4")->text()};
    switch (after) {
    case After::Result:
      QCOMPARE(input->text(), kept);
      QVERIFY(WhollySelected(input));
      QVERIFY(!result.isEmpty());
      QVERIFY2((units[0] == "nm" && units[1] == "eV") || (units[0] == "eV" && units[1] == "nm") ||
                   (units[0].isEmpty() && units[1].isEmpty()),
               "units are not a pair");
      break;
    case After::Prompt:
      QCOMPARE(input->text(), kPrompt);
      QVERIFY(WhollySelected(input));
      QVERIFY(result.isEmpty() && units[0].isEmpty() && units[1].isEmpty());
      break;
    case After::ZeroValue:
      QVERIFY2(input->text() == kept, "the zero value was not left as pasted");
      QVERIFY(WhollySelected(input));
      QVERIFY(result.isEmpty() && units[0].isEmpty() && units[1].isEmpty());
      break;
    }

    // Whatever came before, Escape empties and a second Escape ends.
    QSignalSpy ended(form.get(), &Form1::endRequested);
    QTest::keyClick(input, Qt::Key_Escape);
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"})
      QVERIFY2(Box(name)->text().isEmpty(), name);
    QCOMPARE(ended.count(), 0);
    QTest::keyClick(input, Qt::Key_Escape);
    QCOMPARE(ended.count(), 1);
  }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
