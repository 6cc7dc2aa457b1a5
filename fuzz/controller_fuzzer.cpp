// Fuzzes the converter controller with sequences of user events, checking
// the boxes after every one.
//
// Input: a stream of events, each an opcode byte (taken modulo 12) and its
// operands; integers are little-endian, texts UTF-16 units of two bytes. An
// event cut short by the end of the input is dropped, and so is any after the
// 256th.
//    0 Enter in Text1
//    1 Escape in Text1
//    2 key K (2 bytes) in Text1, then typed into the box if printable
//    3 Enter in Text2
//    4 Escape in Text2
//    5 key K (2 bytes) in Text2
//    6 click in Text1
//    7 click in Text2
//    8 paste N units (N: 1 byte, then the units) into Text1
//    9 paste into Text1 a pattern of P units (P: 1 byte) repeated to L units
//      (L: 2 bytes, before the pattern); L = 0 deletes the selection
//   10 select in Text1, 11 select in Text2: start and length (2 bytes each),
//      limited to the text as a line edit limits a selection
// Text1 behaves as a line edit holding at most 32767 units; Text2 is
// read-only, so only selections and the controller change it. Each stream
// runs twice: on a desktop whose decimal separator is '.', then ','.

#include "conversion/converter_controller.hpp"
#include "fuzz_support.hpp"
#include "runtime/number_text.hpp"

#include <algorithm>
#include <cstdint>
#include <string>

namespace lumbrix::fuzz {
namespace {

// The most a line edit holds unless told otherwise.
constexpr std::size_t kLineEditLimit = 32767;
// Each event costs up to the length of the texts, so many events on long
// texts would make a slow but linear input look like a hang.
constexpr int kMaxEvents = 256;

// The desktop's decimal separator for the run under way.
char16_t separator = u'.';

class Reader {
public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::size_t bytes) const { return size_ - at_ >= bytes; }
  std::uint8_t Byte() { return data_[at_++]; }
  std::uint16_t Word() {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  Text Units(std::size_t count) {
    Text out;
    for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<char16_t>(Word()));
    return out;
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string Describe(const ConverterFields& f) {
  auto box = [](const SelectableBox& b) {
    return "\"" + Printable(b.text) + "\" sel " + std::to_string(b.selection.start) + "+" +
           std::to_string(b.selection.length);
  };
  return "Text1 " + box(f.Text1) + ", Text2 " + box(f.Text2) + ", Text3 \"" + Printable(f.Text3) +
         "\", Text4 \"" + Printable(f.Text4) + "\"";
}

bool SelectionInside(const SelectableBox& box) {
  return box.selection.start <= box.text.size() &&
         box.selection.length <= box.text.size() - box.selection.start;
}

bool WhollySelected(const SelectableBox& box) {
  return box.selection == Selection{0, box.text.size()};
}

// What the window's line edit does on typing or pasting: the text replaces
// the selection, as much of it as fits, and the caret follows it.
void Insert(SelectableBox& box, TextView text) {
  const Selection s = box.selection;
  FUZZ_CHECK(SelectionInside(box), "selection outside before typing");
  box.text.erase(s.start, s.length);
  const std::size_t room = kLineEditLimit - std::min(box.text.size(), kLineEditLimit);
  const TextView fitting = text.substr(0, room);
  box.text.insert(s.start, fitting);
  box.selection = {s.start + fitting.size(), 0};
}

void Select(SelectableBox& box, std::size_t start, std::size_t length) {
  start = std::min(start, box.text.size());
  box.selection = {start, std::min(length, box.text.size() - start)};
}

// The boxes after Enter in Text1, given Text1 as it was typed.
void CheckAfterEnter(const ConverterFields& f, const Text& typed) {
  const std::string state = "after Enter on \"" + Printable(typed) + "\": " + Describe(f);
  const std::optional<double> value = ReferenceRead(typed, separator);
  if (typed.empty() || typed == u"0" || !value) {
    FUZZ_CHECK(f.Text1.text == kPrompt && WhollySelected(f.Text1), "prompt expected, " + state);
    FUZZ_CHECK(f.Text2.text.empty() && f.Text3.empty() && f.Text4.empty(), state);
    return;
  }
  FUZZ_CHECK(f.Text1.text == typed && WhollySelected(f.Text1), "input kept, selected; " + state);
  if (*value == 0) {
    FUZZ_CHECK(f.Text2.text.empty() && f.Text3.empty() && f.Text4.empty(),
               "zero value leaves the results empty; " + state);
    return;
  }
  const auto problem = ResultTextProblem(f.Text2.text, 1240.0 / *value, separator);
  FUZZ_CHECK(!problem, state + ": " + problem.value_or(""));
  if (*value >= 0 && *value <= 35) {
    FUZZ_CHECK(f.Text3 == u"eV" && f.Text4 == u"nm", "an energy; " + state);
  } else if (*value > 35 && *value <= 9999999) {
    FUZZ_CHECK(f.Text3 == u"nm" && f.Text4 == u"eV", "a wavelength; " + state);
  } else {
    FUZZ_CHECK(f.Text3.empty() && f.Text4.empty(), "no units; " + state);
  }
}

// Escape: ends with an empty Text1 and touches nothing, else empties all.
void CheckAfterEscape(const ConverterFields& f, const ConverterFields& before, Continuation c) {
  if (before.Text1.text.empty()) {
    FUZZ_CHECK(c == Continuation::EndProgram && f == before, Describe(f));
  } else {
    FUZZ_CHECK(c == Continuation::KeepRunning, Describe(f));
    FUZZ_CHECK(f.Text1.text.empty() && f.Text2.text.empty() && f.Text3.empty() && f.Text4.empty(),
               "Escape empties every box; " + Describe(f));
  }
}

// Handles a key press in Text1 or Text2 and checks what it did.
Continuation Key(ConverterFields& f, bool inText1, KeyAscii key) {
  const ConverterFields before = f;
  const Continuation c = inText1 ? Text1_KeyPress(f, key, separator) : Text2_KeyPress(f, key);
  if (key == kKeyEscape) {
    CheckAfterEscape(f, before, c);
    return c;
  }
  FUZZ_CHECK(c == Continuation::KeepRunning, "only Escape ends; " + Describe(f));
  if (inText1 && key == kKeyEnter) {
    CheckAfterEnter(f, before.Text1.text);
  } else {
    // Enter in Text2 and every other key are left to the box.
    FUZZ_CHECK(f == before, "key " + std::to_string(key) + " changed " + Describe(f));
  }
  return c;
}

void Click(ConverterFields& f, bool inText1) {
  ConverterFields expected = f;
  SelectableBox& box = inText1 ? expected.Text1 : expected.Text2;
  box.selection = {0, box.text.size()};
  if (inText1) {
    Text1_Click(f);
  } else {
    Text2_Click(f);
  }
  FUZZ_CHECK(f == expected, "a click selects its whole box; " + Describe(f));
}

// Runs one event; false once the program has been told to end.
bool Step(ConverterFields& f, Reader& in) {
  Continuation c = Continuation::KeepRunning;
  const int op = in.Byte() % 12;
  switch (op) {
  case 0:
    c = Key(f, true, kKeyEnter);
    break;
  case 1:
    c = Key(f, true, kKeyEscape);
    break;
  case 2: {
    if (!in.Has(2)) break;
    const KeyAscii key = in.Word();
    c = Key(f, true, key);
    // Control characters are not typed into a line edit.
    if (c == Continuation::KeepRunning && key >= 0x20 && key != 0x7f)
      Insert(f.Text1, Text(1, static_cast<char16_t>(key)));
    break;
  }
  case 3:
    c = Key(f, false, kKeyEnter);
    break;
  case 4:
    c = Key(f, false, kKeyEscape);
    break;
  case 5:
    if (in.Has(2)) c = Key(f, false, in.Word());
    break;
  case 6:
    Click(f, true);
    break;
  case 7:
    Click(f, false);
    break;
  case 8: {
    if (!in.Has(1)) break;
    const std::size_t count = in.Byte();
    if (in.Has(2 * count)) Insert(f.Text1, in.Units(count));
    break;
  }
  case 9: {
    if (!in.Has(3)) break;
    const std::size_t patternLength = in.Byte();
    const std::size_t length = in.Word();
    if (patternLength == 0 || !in.Has(2 * patternLength)) break;
    const Text pattern = in.Units(patternLength);
    Text text;
    while (text.size() < length) text += pattern;
    text.resize(length);
    Insert(f.Text1, text);
    break;
  }
  case 10:
  case 11: {
    if (!in.Has(4)) break;
    const std::size_t start = in.Word();
    Select(op == 10 ? f.Text1 : f.Text2, start, in.Word());
    break;
  }
  }
  FUZZ_CHECK(SelectionInside(f.Text1) && SelectionInside(f.Text2), Describe(f));
  FUZZ_CHECK((f.Text3.empty() && f.Text4.empty()) || (f.Text3 == u"eV" && f.Text4 == u"nm") ||
                 (f.Text3 == u"nm" && f.Text4 == u"eV"),
             "units are a pair or none; " + Describe(f));
  return c == Continuation::KeepRunning;
}

} // namespace
} // namespace lumbrix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumbrix;
  for (const char16_t separator : {u'.', u','}) {
    fuzz::separator = separator;
    // The window opens with the worked example in its boxes.
    ConverterFields fields{{NumberToText(632.8, separator), {}},
                           {NumberToText(1240 / 632.8, separator), {}},
                           u"nm",
                           u"eV"};
    fuzz::Reader in(data, size);
    // Once the program is told to end, no further event reaches it.
    for (int events = 0; events < fuzz::kMaxEvents && in.Has(1); ++events) {
      if (!fuzz::Step(fields, in)) break;
    }
  }
  return 0;
}
