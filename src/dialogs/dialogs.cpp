#include "dialogs/dialogs.h"

#include "i18n/text_table.h"

namespace calorix {
namespace {

int CaptionTextOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return i18n::kTextError;
    case MessageKind::Question: return i18n::kTextQuestion;
    case MessageKind::Warning: return i18n::kTextWarning;
    case MessageKind::Information: return i18n::kTextInformation;
  }
  return i18n::kTextError;
}

}  // namespace

std::string MessageCaption(MessageKind kind, CaptionStyle style) {
  const std::string& caption = i18n::Text(CaptionTextOf(kind));
  return style == CaptionStyle::Colon ? caption + ":" : caption;
}

void Dialogs::ShowError(QWidget* owner, const std::string& text, CaptionStyle style) {
  ShowMessage(owner, MessageKind::Error, MessageButtons::Ok, MessageCaption(MessageKind::Error, style), text);
}

void Dialogs::ShowInformation(QWidget* owner, const std::string& text, CaptionStyle style) {
  ShowMessage(owner, MessageKind::Information, MessageButtons::Ok, MessageCaption(MessageKind::Information, style),
              text);
}

bool Dialogs::AskQuestion(QWidget* owner, const std::string& text, CaptionStyle style) {
  return ShowMessage(owner, MessageKind::Question, MessageButtons::YesNo, MessageCaption(MessageKind::Question, style),
                     text) == MessageAnswer::Yes;
}

bool Dialogs::AskWarning(QWidget* owner, const std::string& text, CaptionStyle style) {
  return ShowMessage(owner, MessageKind::Warning, MessageButtons::YesNo, MessageCaption(MessageKind::Warning, style),
                     text) == MessageAnswer::Yes;
}

}  // namespace calorix
