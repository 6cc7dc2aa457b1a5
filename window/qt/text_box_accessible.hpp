#pragma once

class QAccessibleInterface;

namespace lumbrix {

class TextBox;

// What screen readers see of a text box, in place of Qt's own interface for
// line edits: asked for a word or sentence at the end of the text, or at the
// start of one such as "-1" or ".5", Qt 6.4's loops forever and freezes the
// program. This one answers every boundary query at once, reports one
// attribute run over the whole text, and says which boxes are read-only.
QAccessibleInterface* TextBoxAccessible(TextBox* box);

} // namespace lumbrix
