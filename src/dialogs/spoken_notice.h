#pragma once

class QAccessibleEvent;
class QString;
class QWidget;

// Says a text to a screen reader without moving the focus: a result, a status message, the value
// a commit stored. Qt of this age has no announcement event; what Orca does speak, in every
// window, is a notification of a status bar that comes into view. Each window gets one such pair,
// never shown on screen, and every text is that notification showing again with the text as its
// name.
namespace SpokenNotice {

// Speaks text in the window of near; an empty text is not spoken.
void Say(QWidget* near, const QString& text);

// Receives every notice besides the platform's bridge, which listens only while a screen reader
// runs; an empty listener leaves the bridge alone.
using Listener = void (*)(QAccessibleEvent* event);
void SetListener(Listener listener);

} // namespace SpokenNotice
