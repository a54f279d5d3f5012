#pragma once
// What screen readers hear beyond Qt's defaults: frames of options heard as named groups, plain
// top-level widgets heard as windows with their titles, spoken labels that are never shown, and
// menu entries with a description.
// One accessibility factory serves every window; it is installed on first use.

#include <QString>

class QAction;
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

// A widget that draws a picture is heard as a picture (with its accessible name and
// description), not as a nameless filler. Call before anything asks for its interface.
void SpeakAsPicture(QWidget* picture);

// A label a screen reader announces with a control and that is never shown. A list's own
// accessible name is its current entry, so only a label tied to it says what the list is for.
void TieSpokenLabel(QWidget* control, const QString& text);

// A menu entry heard with a description after its name (an Open Recent entry's full path, so two
// readings of one name are told apart). Call right after adding the action to its menu.
void DescribeMenuEntry(QAction* entry, const QString& description);

}  // namespace velloran
