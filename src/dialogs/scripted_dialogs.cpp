#include "dialogs/scripted_dialogs.h"

#include <QPrinter>

namespace calorix {
namespace {

template <class T>
T TakeOr(std::deque<T>& answers, T fallback) {
  if (answers.empty()) return fallback;
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

bool ScriptedDialogs::ScriptUsedUp() const {
  return messageAnswers_.empty() && fileAnswers_.empty() && colorAnswers_.empty() && printAnswers_.empty();
}

MessageAnswer ScriptedDialogs::ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                           const std::string& caption, const std::string& text) {
  messages_.push_back({owner, kind, buttons, caption, text});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return TakeOr(messageAnswers_, MessageAnswer::No);
}

std::optional<std::string> ScriptedDialogs::ExecuteFileDialog(const std::string& proposedName, QWidget* owner,
                                                              const std::string& filter, bool openMode,
                                                              const std::string& defaultExtension,
                                                              const std::string& initialFolder) {
  fileRequests_.push_back({owner, proposedName, filter, openMode, defaultExtension, initialFolder});
  return TakeOr<std::optional<std::string>>(fileAnswers_, std::nullopt);
}

std::optional<Color> ScriptedDialogs::ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) {
  colorRequests_.push_back({owner, color, settings});
  return TakeOr<std::optional<Color>>(colorAnswers_, std::nullopt);
}

bool ScriptedDialogs::ExecutePrintDialog(QPrinter& printer, QWidget* /*owner*/) {
  ++printRequests_;
  const PrintAnswer answer = TakeOr(printAnswers_, PrintAnswer{false, {}});
  if (!answer.pdfPath.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(answer.pdfPath));
  }
  return answer.print;
}

}  // namespace calorix
