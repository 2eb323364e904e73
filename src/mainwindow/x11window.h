#pragma once
// What the program asks of the X server itself about its top-level windows, where Qt's own idea
// can lag behind: where a window is, whether a window manager runs, and telling Qt a window's
// place as a manager tells it. Off X11 (the offscreen platform of the tests) there is nothing
// to ask and every answer is empty.

#include <QRect>

#include <optional>

class QWidget;

namespace X11Window {

// Where the server has a top-level widget's window: its place on the root and its size.
std::optional<QRect> ServerPlace(const QWidget *pWidget);

// Whether the widget's window is viewable: mapped, and so is every window it lies in (a manager's
// frame included). Until it is, its place may still change without a word to the program.
std::optional<bool> Viewable(const QWidget *pWidget);

// Whether a window manager holds the screen (it redirects the root's children to itself).
std::optional<bool> ManagerRuns();

// Sends the widget's window the configure notify a manager sends a window it has placed, so
// that Qt takes the given place as the window's; nothing is asked of the manager.
bool TellPlace(const QWidget *pWidget, const QRect &place);

} // namespace X11Window
