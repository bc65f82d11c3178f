#include "evaluation/window_caption.h"

#include "i18n/text_table.h"

namespace calorix::evaluation {

namespace {

std::string LoadedCaption(const CaptionParts& parts) {
  using i18n::Text;
  if (parts.to.empty()) return Text(i18n::kTextAnalysisOfDay) + parts.from + ".";
  return Text(i18n::kTextAnalysisFrom) + parts.from + Text(i18n::kTextAnalysisTo) + parts.to +
         Text(i18n::kTextFilesFoundBefore) + std::to_string(parts.fileCount) + Text(i18n::kTextFilesFoundAfter);
}

}  // namespace

std::string ComposeCaption(const CaptionParts& parts) {
  if (parts.from.empty()) return i18n::Text(i18n::kTextNew);
  return LoadedCaption(parts) + (parts.following ? " " + i18n::Text(i18n::kTextFollowingSuffix) : std::string());
}

std::string ComposeIconCaption(const CaptionParts& parts) {
  if (parts.from.empty()) return i18n::Text(i18n::kTextNew);
  if (parts.to.empty()) return parts.from;
  return parts.from + " \u2013 " + parts.to;
}

}  // namespace calorix::evaluation
