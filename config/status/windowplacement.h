// Where the small windows appear.
#pragma once

class QWidget;

// Moves the window so that its frame is centred on the primary screen's available area.
void centreOnDesktop(QWidget &window);
// Shows the window without waiting for it, centred when it was hidden, above the other windows.
void showCentred(QWidget &window);
