#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace calorix::ui {

// The size of the logo at the top right of the main window and in the
// about box.
inline constexpr QSize kLogoSize(150, 37);

// The logo, drawn for a screen of that scale so that it stays sharp.
QPixmap LogoPixmap(qreal scale);

// The program's icon, also in the title bars of its windows.
QIcon ProgramIcon();

// An icon of the program's own set (src/ui/icons): "open", "range", "save", "print",
// "about", "tile", "cascade", and "language-<code>" for the languages (de,
// gb, fr, es, it, pt, us). Drawn as vector images, so they stay sharp at
// any scale.
QIcon ResourceIcon(const QString& name);

}  // namespace calorix::ui
