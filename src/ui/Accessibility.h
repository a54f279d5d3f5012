#pragma once
// What screen readers hear beyond Qt's defaults: frames of options heard as named groups, plain
// top-level widgets heard as windows with their titles, and spoken labels that are never shown.
// One accessibility factory serves every window; it is installed on first use.

#include <QString>

class QFrame;
class QWidget;

namespace velloran {

// A frame around a group of options (a pair of radio buttons): a screen reader speaks the frame's
// accessible name before the option that takes the focus. Plain frames stay as Qt makes them.
QFrame* NewOptionGroup(QWidget* parent = nullptr);

// A window made from a plain QWidget is heard as a window named by its title, as the others are,
// rather than as a nameless container. Call at the start of its constructor, before anything can
// ask for its accessible interface.
void SpeakAsWindow(QWidget* window);

// A label a screen reader announces with a control and that is never shown. A list's own
// accessible name is its current entry, so only a label tied to it says what the list is for.
void TieSpokenLabel(QWidget* control, const QString& text);

}  // namespace velloran
