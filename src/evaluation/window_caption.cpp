#include "ui/window_caption.h"

#include "i18n/text_table.h"

namespace calorix::ui {

std::string ComposeCaption(const CaptionParts& parts) {
  using i18n::Text;
  if (parts.from.empty()) return Text(i18n::kTextNew);
  if (parts.to.empty()) return Text(17) + parts.from + ".";
  return Text(18) + parts.from + Text(19) + parts.to + Text(20) + std::to_string(parts.fileCount) + Text(21);
}

}  // namespace calorix::ui
