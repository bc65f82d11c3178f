#pragma once

#include <optional>

#include <array>

#include <QColor>

#include "core/child_settings.h"
#include "core/color.h"

class QColorDialog;
class QWidget;

namespace calorix {

// Our colours are 0x00BBGGRR (red in the low byte); Qt's are not.
QColor ToQColor(Color color);
Color FromQColor(const QColor& color);

inline constexpr int kCustomColorCount = 16;

// The dialog's custom colours for a record: its fifteen colours in the order
// of the settings file's keys (T1..T6, TD, Flow, Power, Volume, Energy, R1,
// R2, R3, RError), then black.
std::array<Color, kCustomColorCount> CustomColorsOf(const TChildSettings& settings);

// Sets Qt's custom colours to those of the record. They are process-wide in
// Qt, so this runs before every showing: whatever the user changed in them
// last time is gone.
void PresetCustomColors(const TChildSettings& settings);

// Sets up a colour dialog the way ExecuteColorDialog shows it: our own widget
// dialog (a native one cannot be centred) with the colour preselected.
void ConfigureColorDialog(QColorDialog& dialog, Color color);

// Runs the colour dialog centred on the screen with color preselected and
// the record's colours as custom colours. The chosen colour; nothing on
// cancel.
std::optional<Color> ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings);

}  // namespace calorix
