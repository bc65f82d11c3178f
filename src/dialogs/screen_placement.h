#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace calorix {

// Top-left corner that centres a window of that outer size on the screen.
// Each half is truncated toward zero, and a window larger than the screen
// gets a negative position: it is not clamped.
QPoint CenteredTopLeft(const QRect& screen, const QSize& window);

// Centres the dialog on its owner's screen (else the primary screen) each
// time it is shown, before it first appears.
void CenterOnScreen(QWidget& dialog);

// Vertical logical dots per inch of the primary screen.
int GetScreenDpi();

}  // namespace calorix
