// What screen readers get from the window, through Qt's accessibility
// interfaces, offscreen.
#include "tests/support/form1_fixture.hpp"
#include "window/qt/translations.hpp"

#include <QAccessible>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

// Records what a notification says each time it is shown.
class ShowRecorder : public QObject {
public:
  QStringList said;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(watched);
    if (event->type() == QEvent::Show && iface->role() == QAccessible::Notification)
      said << iface->text(QAccessible::Name);
    return false;
  }
};

} // namespace

class AccessibilityTest : public Form1Fixture {
  Q_OBJECT

  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  void Convert(const QString& input) {
    Box("Text1")->setText(input);
    QTest::keyClick(Box("Text1"), Qt::Key_Return);
  }
  // Opens the input's context menu from the keyboard and returns it.
  QMenu* InputMenu() {
    QTest::keyClick(Box("Text1"), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* open = nullptr;
    (void)QTest::qWaitFor([&] {
      for (QMenu* menu : form->findChildren<QMenu*>())
        if (menu->isVisible()) open = menu;
      return open != nullptr;
    });
    return open;
  }

private slots:
  // Every answer comes at once, lies within the text and is the text it
  // claims; "at" holds the offset, "before" and "after" lie either side.
  void boundariesAnswerEverywhere() {
    const QStringList texts{
        "", "5", "abc", ".5", "-123456789", "Enter a value here.", "-1.00440000914004E-05", "a  b"};
    const QList<QAccessible::TextBoundaryType> types{
        QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
        QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
      for (const QString& text : texts) {
        Box(name)->setText(text);
        QAccessibleTextInterface* iface = Of(Box(name))->textInterface();
        const int length = static_cast<int>(text.size());
        for (QAccessible::TextBoundaryType type : types) {
          for (int offset = 0; offset <= length; ++offset) {
            const QByteArray where = QStringLiteral("%1 '%2' type %3 offset %4")
                                         .arg(name, text)
                                         .arg(type)
                                         .arg(offset)
                                         .toUtf8();
            int s = -1, e = -1, bs = -1, be = -1, as = -1, ae = -1;
            const QString at = iface->textAtOffset(offset, type, &s, &e);
            const QString before = iface->textBeforeOffset(offset, type, &bs, &be);
            const QString after = iface->textAfterOffset(offset, type, &as, &ae);
            QVERIFY2(0 <= s && s <= e && e <= length, where);
            QVERIFY2(at == text.mid(s, e - s) && before == text.mid(bs, be - bs) &&
                         after == text.mid(as, ae - as),
                     where);
            QVERIFY2(s <= offset && (offset < e || offset == length), where);
            QVERIFY2(0 <= bs && be <= s && e <= as && ae <= length, where);
            if (offset < length) {
              int runStart = -1, runEnd = -1;
              iface->attributes(offset, &runStart, &runEnd);
              QVERIFY2(runStart == 0 && runEnd == length, where);
            }
          }
        }
      }
    }
  }

  // The exact pieces, as start-end: at the offset, before it and after it.
  void boundariesAreExact_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("spans");
    const int character = QAccessible::CharBoundary, word = QAccessible::WordBoundary;
    QTest::newRow("character") << "abc" << character << 1 << "1-2 0-1 2-3";
    QTest::newRow("character at the end") << "abc" << character << 3 << "3-3 2-3 3-3";
    QTest::newRow("pair from its second half") << "a\U0001F600b" << character << 2 << "1-3 0-1 3-4";
    QTest::newRow("character before a pair") << "a\U0001F600b" << character << 0 << "0-1 0-0 1-3";
    QTest::newRow("word") << "a  b" << word << 0 << "0-1 0-0 1-3";
    QTest::newRow("spaces") << "a  b" << word << 2 << "1-3 0-1 3-4";
    QTest::newRow("word at the end") << "a  b" << word << 4 << "3-4 1-3 4-4";
    QTest::newRow("word in the prompt") << "Enter a value here." << word << 8 << "8-13 7-8 13-14";
    QTest::newRow("a number is one word")
        << "-1.00440000914004E-05" << word << 3 << "0-21 0-0 21-21";
    QTest::newRow("line") << "a  b" << int(QAccessible::LineBoundary) << 2 << "0-4 0-0 4-4";
    QTest::newRow("sentence") << "a  b" << int(QAccessible::SentenceBoundary) << 4 << "0-4 0-0 4-4";
  }
  void boundariesAreExact() {
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(int, offset);
    Box("Text2")->setText(text);
    QAccessibleTextInterface* iface = Of(Box("Text2"))->textInterface();
    const auto boundary = static_cast<QAccessible::TextBoundaryType>(type);
    int s[6];
    iface->textAtOffset(offset, boundary, &s[0], &s[1]);
    iface->textBeforeOffset(offset, boundary, &s[2], &s[3]);
    iface->textAfterOffset(offset, boundary, &s[4], &s[5]);
    QStringList spans;
    for (int i = 0; i < 6; i += 2) spans << QStringLiteral("%1-%2").arg(s[i]).arg(s[i + 1]);
    QTEST(spans.join(u' '), "spans");
  }

  // What a screen reader selects, moves or edits shows in the box, and what
  // the box shows it reads.
  void selectionCaretAndEditing() {
    QLineEdit* input = Box("Text1");
    QAccessibleTextInterface* text = Of(input)->textInterface();
    text->setSelection(0, 1, 4);
    QCOMPARE(input->selectedText(), QStringLiteral("32."));
    input->setSelection(2, 2);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(QList<int>({text->selectionCount(), start, end}), QList<int>({1, 2, 4}));
    text->removeSelection(0);
    QVERIFY(!input->hasSelectedText());
    QCOMPARE(text->selectionCount(), 0);
    text->setCursorPosition(3);
    QCOMPARE(input->cursorPosition(), 3);
    input->setCursorPosition(1);
    QCOMPARE(text->cursorPosition(), 1);
    QAccessibleEditableTextInterface* edit = Of(input)->editableTextInterface();
    edit->deleteText(0, 2);
    edit->insertText(1, QStringLiteral("9"));
    edit->replaceText(0, 1, QStringLiteral("7"));
    QCOMPARE(input->text(), QStringLiteral("79.8"));
    QCOMPARE(text->text(1, 3), QStringLiteral("9."));
    input->undo();
    QCOMPARE(input->text(), QStringLiteral("29.8"));
  }

  void rolesStatesAndNames() {
    QAccessibleInterface* window = Of(form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Lumbrix"));
    QStringList names;
    for (int i = 0; i < window->childCount(); ++i) {
      QAccessibleInterface* child = window->child(i);
      if (child->role() == QAccessible::Notification) continue;
      names << child->text(QAccessible::Name);
      QVERIFY2(!child->text(QAccessible::Description).isEmpty(), qPrintable(names.last()));
    }
    names.removeDuplicates();
    QCOMPARE(names.size(), 5);
    QCOMPARE(names, (QStringList{"Brimsel Co.", "Value", "Unit of the value", "Unit of the result",
                                 "Result"}));
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
      const bool readOnly = Box(name)->isReadOnly();
      const QAccessible::State state = Of(Box(name))->state();
      QVERIFY2(state.readOnly == readOnly && state.editable == !readOnly, name);
      QVERIFY2(state.selectableText, name);
      QVERIFY2((Of(Box(name))->editableTextInterface() != nullptr) == !readOnly, name);
    }
  }

  // Screen readers speak a notification as it shows; each Enter shows one,
  // even when it says what it said before.
  void enterShowsTheResultAsANotification() {
    ShowRecorder recorder;
    for (QWidget* child : form->findChildren<QWidget*>()) child->installEventFilter(&recorder);
    Convert(QStringLiteral("2"));
    Convert(QStringLiteral("2"));
    Convert(QStringLiteral("abc"));
    Convert(QStringLiteral("-5"));
    QTest::keyClick(Box("Text1"), Qt::Key_Escape);
    QCOMPARE(recorder.said, (QStringList{"620 nm", "620 nm", "Enter a value here.", "-248"}));
  }

  void copyResultFromTheInputsMenu() {
    Convert(QStringLiteral("2"));
    QMenu* menu = InputMenu();
    QVERIFY(menu);
    auto* copy = menu->findChild<QAction*>(QStringLiteral("CopyResult"));
    QVERIFY(copy && copy->isEnabled());
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("620"));
    menu->close();
    // With no result there is nothing to copy.
    QTest::keyClick(Box("Text1"), Qt::Key_Escape);
    menu = InputMenu();
    QVERIFY(menu);
    QVERIFY(!menu->findChild<QAction*>(QStringLiteral("CopyResult"))->isEnabled());
  }

  // In the user's language and region: Qt's own menu items, the program's
  // texts and the decimal separator. The units and the prompt stay as they are.
  void inTheUsersLanguage_data() {
    QTest::addColumn<QString>("locale");
    // Qt's Undo item, Copy result, the words for zero, the result's name.
    QTest::addColumn<QStringList>("texts");
    // The input as the window opens, a value typed and its result.
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("en") << "en_US"
                        << QStringList{"&Undo\tCtrl+Z", "Copy result",
                                       "No result for a value of zero", "Result"}
                        << QStringList{"632.8", "632.8", "1.95954487989886"};
    QTest::newRow("de") << "de_DE"
                        << QStringList{"&Rückgängig\tStrg+Z", "Ergebnis kopieren",
                                       "Kein Ergebnis für den Wert null", "Ergebnis"}
                        << QStringList{"632,8", "632,8", "1,95954487989886"};
    QTest::newRow("fr") << "fr_FR"
                        << QStringList{"&Annuler\tCtrl+Z", "Copier le résultat",
                                       "Pas de résultat pour une valeur nulle", "Résultat"}
                        << QStringList{"632,8", "632.8", "1,95954487989886"};
    QTest::newRow("es") << "es_ES"
                        << QStringList{"&Deshacer\tControl+Z", "Copiar resultado",
                                       "Sin resultado para el valor cero", "Resultado"}
                        << QStringList{"632,8", "496,0", "2,5"};
  }
  void inTheUsersLanguage() {
    QFETCH(QString, locale);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, numbers);
    const QString &undo = texts[0], &copyResult = texts[1], &noResult = texts[2],
                  &resultName = texts[3], &start = numbers[0], &typed = numbers[1],
                  &result = numbers[2];
    const lumbrix::Translations translations{QLocale(locale)};
    QLocale::setDefault(QLocale(locale));
    init(); // a window made in that language and region
    QCOMPARE(Box("Text1")->text(), start);
    ShowRecorder recorder;
    for (QWidget* child : form->findChildren<QWidget*>()) child->installEventFilter(&recorder);
    Convert(QStringLiteral("0.0"));
    Convert(QStringLiteral("abc"));
    Convert(typed);
    QCOMPARE(recorder.said, (QStringList{noResult, "Enter a value here.", result + " eV"}));
    QCOMPARE(Of(Box("Text2"))->text(QAccessible::Name), resultName);
    QMenu* menu = InputMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().constFirst()->text(), undo);
    auto* copy = menu->findChild<QAction*>(QStringLiteral("CopyResult"));
    QCOMPARE(copy->text(), copyResult);
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), result);
    menu->close();
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
