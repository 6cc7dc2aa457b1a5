#include "conversion/converter_controller.hpp"
#include "conversion/spoken_result.hpp"
#include "tests/support/test_text.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace lumbrix {

void PrintTo(const ConverterFields& f, std::ostream* os) {
  *os << "{Text1 \"" << Narrow(f.Text1.text) << "\" sel " << f.Text1.selection.start << "+"
      << f.Text1.selection.length << ", Text2 \"" << Narrow(f.Text2.text) << "\" sel "
      << f.Text2.selection.start << "+" << f.Text2.selection.length << ", Text3 \""
      << Narrow(f.Text3) << "\", Text4 \"" << Narrow(f.Text4) << "\"}";
}

namespace {

enum class Event { Enter1, Escape1, Other1, Enter2, Escape2, Other2, Click1, Click2 };

Continuation Deliver(ConverterFields& f, Event e, char16_t separator) {
  switch (e) {
  case Event::Enter1:
    return Text1_KeyPress(f, kKeyEnter, separator);
  case Event::Escape1:
    return Text1_KeyPress(f, kKeyEscape);
  case Event::Other1:
    return Text1_KeyPress(f, u'5');
  case Event::Enter2:
    return Text2_KeyPress(f, kKeyEnter);
  case Event::Escape2:
    return Text2_KeyPress(f, kKeyEscape);
  case Event::Other2:
    return Text2_KeyPress(f, u'5');
  case Event::Click1:
    Text1_Click(f);
    return Continuation::KeepRunning;
  case Event::Click2:
    Text2_Click(f);
    return Continuation::KeepRunning;
  }
  return Continuation::KeepRunning;
}

ConverterFields Boxes(Text t1, Selection s1, Text t2, Selection s2, Text t3, Text t4) {
  return {{std::move(t1), s1}, {std::move(t2), s2}, std::move(t3), std::move(t4)};
}

// Text1 as the user left it, everything else as the window opens.
ConverterFields Typed(Text input, Selection caret = {}) {
  return Boxes(std::move(input), caret, u"1.95954487989886", {}, u"nm", u"eV");
}

const ConverterFields kEmpty{};
const Text kPromptText = kPrompt;
const Selection kPromptSelected{0, kPromptText.size()};

struct Scenario {
  const char* name;
  ConverterFields before;
  std::vector<Event> events;
  ConverterFields after;
  bool ends = false; // the last event asks for the program to end
  char16_t separator = u'.';
};

TEST(ConverterController, Scenarios) {
  using enum Event;
  const Scenario scenarios[] = {
      {"the window's example converts to itself",
       Typed(u"632.8", {5, 0}),
       {Enter1},
       Boxes(u"632.8", {0, 5}, u"1.95954487989886", {}, u"nm", u"eV")},
      {"an energy converts with units swapped",
       Typed(u"2"),
       {Enter1},
       Boxes(u"2", {0, 1}, u"620", {}, u"eV", u"nm")},
      {"a negative value converts without units",
       Typed(u"-5"),
       {Enter1},
       Boxes(u"-5", {0, 2}, u"-248", {}, u"", u"")},
      {"empty input gets the prompt",
       Typed(u""),
       {Enter1},
       Boxes(kPromptText, kPromptSelected, u"", {}, u"", u"")},
      {"the text 0 gets the prompt",
       Typed(u"0", {1, 0}),
       {Enter1},
       Boxes(kPromptText, kPromptSelected, u"", {}, u"", u"")},
      {"the prompt itself gets the prompt again",
       Typed(kPromptText, kPromptSelected),
       {Enter1},
       Boxes(kPromptText, kPromptSelected, u"", {}, u"", u"")},
      {"a non-number gets the prompt",
       Typed(u"abc"),
       {Enter1},
       Boxes(kPromptText, kPromptSelected, u"", {}, u"", u"")},
      {"a zero value keeps the input, selected, with nothing converted",
       Typed(u"0.0"),
       {Enter1},
       Boxes(u"0.0", {0, 3}, u"", {}, u"", u"")},
      {"00 is not the text 0 and fails the same way",
       Typed(u"00"),
       {Enter1},
       Boxes(u"00", {0, 2}, u"", {}, u"", u"")},
      {"an infinite quotient still gets units",
       Typed(u"1E-306"),
       {Enter1},
       Boxes(u"1E-306", {0, 6}, u"Infinity", {}, u"eV", u"nm")},
      {"Enter after Escape shows the prompt",
       Typed(u"2"),
       {Enter1, Escape1, Enter1},
       Boxes(kPromptText, kPromptSelected, u"", {}, u"", u"")},
      {"Escape in Text1 empties every box", Typed(u"632.8"), {Escape1}, kEmpty},
      {"Escape in Text2 empties every box", Typed(u"632.8"), {Escape2}, kEmpty},
      {"a second Escape ends the program", Typed(u"632.8"), {Escape1, Escape1}, kEmpty, true},
      {"Escape in Text2 ends whenever Text1 is empty, whatever Text2 holds",
       Boxes(u"", {}, u"620", {1, 1}, u"eV", u"nm"),
       {Escape2},
       Boxes(u"", {}, u"620", {1, 1}, u"eV", u"nm"),
       true},
      {"Enter and other keys in Text2 change nothing",
       Boxes(u"2", {}, u"stale", {2, 1}, u"x", u"y"),
       {Enter2, Other2},
       Boxes(u"2", {}, u"stale", {2, 1}, u"x", u"y")},
      {"other keys in Text1 are left to the box",
       Typed(u"12", {1, 0}),
       {Other1},
       Typed(u"12", {1, 0})},
      {"Enter in Text1 never reads Text2",
       Boxes(u"1240", {}, u"garbage", {3, 2}, u"", u""),
       {Enter1},
       Boxes(u"1240", {0, 4}, u"1", {}, u"nm", u"eV")},
      {"a click selects the whole box",
       Typed(u"632.8", {2, 1}),
       {Click1, Click2},
       Boxes(u"632.8", {0, 5}, u"1.95954487989886", {0, 16}, u"nm", u"eV")},
      {"a comma desktop reads and writes the comma",
       Typed(u"632,8"),
       {Enter1},
       Boxes(u"632,8", {0, 5}, u"1,95954487989886", {}, u"nm", u"eV"),
       false,
       u','},
      {"a click in an empty box selects nothing at 0",
       Boxes(u"", {}, u"", {}, u"", u""),
       {Click1, Click2},
       kEmpty},
  };
  for (const auto& s : scenarios) {
    SCOPED_TRACE(s.name);
    ConverterFields fields = s.before;
    Continuation last = Continuation::KeepRunning;
    for (Event e : s.events) {
      ASSERT_EQ(last, Continuation::KeepRunning) << "event after the end";
      last = Deliver(fields, e, s.separator);
    }
    EXPECT_EQ(fields, s.after);
    EXPECT_EQ(last == Continuation::EndProgram, s.ends);
  }
}

// What a screen reader is given after Enter, for each way Enter can end.
TEST(ConverterController, SpokenResultAfterEnter) {
  const struct {
    Text input;
    Text spoken;
  } rows[] = {
      {u"2", u"620 nm"},
      {u"632.8", u"1.95954487989886 eV"},
      {u"1240", u"1 eV"},
      {u"-5", u"-248"},
      {u"1e-320", u"Infinity nm"},
      {u"abc", kPrompt},
      {u"", kPrompt},
      {u"0.0", u"No result for a value of zero"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Narrow(row.input));
    ConverterFields fields = Typed(row.input);
    Text1_KeyPress(fields, kKeyEnter);
    EXPECT_EQ(Narrow(SpokenResult(fields)), Narrow(row.spoken));
    // The shell's words, in the user's language, replace only that phrase.
    EXPECT_EQ(Narrow(SpokenResult(fields, u"(none)")),
              row.input == u"0.0" ? "(none)" : Narrow(row.spoken));
  }
}

} // namespace
} // namespace lumbrix
