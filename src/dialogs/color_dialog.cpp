#include "dialogs/color_dialog.h"

#include "dialogs/screen_placement.h"
#include "settings/channel_keys.h"

#include <QColorDialog>

namespace calorix {

QColor ToQColor(Color color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

Color FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return MakeColor(rgb.red(), rgb.green(), rgb.blue());
}

std::array<Color, kCustomColorCount> CustomColorsOf(const TChildSettings& settings) {
  std::array<Color, kCustomColorCount> colors{};
  for (std::size_t i = 0; i < kChannelKeys.size(); ++i) {
    colors[i] = settings.Colors[static_cast<std::size_t>(kChannelKeys[i].slot)];
  }
  colors.back() = MakeColor(0, 0, 0);
  return colors;
}

void PresetCustomColors(const TChildSettings& settings) {
  const auto colors = CustomColorsOf(settings);
  for (int i = 0; i < kCustomColorCount; ++i) QColorDialog::setCustomColor(i, ToQColor(colors[i]));
}

void ConfigureColorDialog(QColorDialog& dialog, Color color) {
  dialog.setOptions(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(ToQColor(color));
}

std::optional<Color> ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) {
  PresetCustomColors(settings);
  QColorDialog dialog(owner);
  ConfigureColorDialog(dialog, color);
  CenterOnScreen(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

}  // namespace calorix
