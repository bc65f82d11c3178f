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
  return messageAnswers_.empty() && fileAnswers_.empty() && colorAnswers_.empty() &&
         printAnswers_.empty();
}

MessageAnswer ScriptedDialogs::ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                           const std::string& caption, const std::string& text) {
  messages_.push_back({owner, kind, buttons, caption, text});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return TakeOr(messageAnswers_, MessageAnswer::No);
}

bool ScriptedDialogs::ExecuteFileDialog(std::string& fileName, QWidget* owner,
                                        const std::string& filter, bool openMode,
                                        const std::string& defaultExtension,
                                        const std::string& initialFolder) {
  fileRequests_.push_back({owner, fileName, filter, openMode, defaultExtension, initialFolder});
  const auto answer = TakeOr<std::optional<std::string>>(fileAnswers_, std::nullopt);
  if (!answer) return false;
  fileName = *answer;
  return true;
}

int ScriptedDialogs::ExecuteColorDialog(Color& color, QWidget* owner,
                                        const TChildSettings& settings) {
  colorRequests_.push_back({owner, color, settings});
  const auto answer = TakeOr<std::optional<Color>>(colorAnswers_, std::nullopt);
  if (!answer) return -1;
  color = *answer;
  return 0;
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
