#include "dialogs/qt_dialogs.h"

#include "dialogs/color_dialog.h"
#include "dialogs/file_dialog.h"

#include <QPrintDialog>

namespace calorix {
namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Question: return QMessageBox::Question;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                              const std::string& caption, const std::string& text) {
  const bool yesNo = buttons == MessageButtons::YesNo;
  auto box = std::make_unique<QMessageBox>(IconOf(kind), QString::fromStdString(caption), QString::fromStdString(text),
                                           yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
  if (yesNo) {
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
  }
  return box;
}

MessageAnswer AnswerOf(MessageButtons buttons, int result) {
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer QtDialogs::ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                     const std::string& caption, const std::string& text) {
  const auto box = CreateMessageBox(owner, kind, buttons, caption, text);
  return AnswerOf(buttons, box->exec());
}

std::optional<std::string> QtDialogs::ExecuteFileDialog(const std::string& proposedName, QWidget* owner,
                                                        const std::string& filter, bool openMode,
                                                        const std::string& defaultExtension,
                                                        const std::string& initialFolder) {
  return calorix::ExecuteFileDialog(proposedName, owner, filter, openMode, defaultExtension, initialFolder);
}

std::optional<Color> QtDialogs::ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) {
  return calorix::ExecuteColorDialog(color, owner, settings);
}

bool QtDialogs::ExecutePrintDialog(QPrinter& printer, QWidget* owner) {
  QPrintDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace calorix
