// Where the small windows appear.
#pragma once

class QShowEvent;
class QWidget;

// Moves the window so that its frame is centred on the primary screen's available area.
void centreOnDesktop(QWidget &window);
// A showing the program asks for (not the window system's restoring a minimised window) centres
// the window on the desktop; true for such a showing.
bool centreWhenShown(QWidget &window, const QShowEvent &event);
// Shows the window without waiting for it, centred when it was hidden, above the other windows.
void showCentred(QWidget &window);
