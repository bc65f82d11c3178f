#include "evaluation/window_caption.h"

#include "i18n/text_table.h"

namespace calorix::evaluation {

std::string ComposeCaption(const CaptionParts& parts) {
  using i18n::Text;
  if (parts.from.empty()) return Text(i18n::kTextNew);
  if (parts.to.empty()) return Text(i18n::kTextAnalysisOfDay) + parts.from + ".";
  return Text(i18n::kTextAnalysisFrom) + parts.from + Text(i18n::kTextAnalysisTo) + parts.to +
         Text(i18n::kTextFilesFoundBefore) + std::to_string(parts.fileCount) + Text(i18n::kTextFilesFoundAfter);
}

std::string ComposeIconCaption(const CaptionParts& parts) {
  if (parts.from.empty()) return i18n::Text(i18n::kTextNew);
  if (parts.to.empty()) return parts.from;
  return parts.from + " \u2013 " + parts.to;
}

}  // namespace calorix::evaluation
