#pragma once

#include <memory>
#include <string>

#include <QMessageBox>

#include "dialogs/dialogs.h"

namespace calorix {

// The message box ShowMessage runs: the kind's icon, Yes the default button
// and No the escape button of a Yes/No box.
std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                              const std::string& caption, const std::string& text);

// The answer of a message box from the button it ended with.
MessageAnswer AnswerOf(MessageButtons buttons, int result);

// The dialogs the program shows: Qt's message boxes, file, colour and print
// dialogs.
class QtDialogs : public Dialogs {
 public:
  MessageAnswer ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons, const std::string& caption,
                            const std::string& text) override;
  std::optional<std::string> ExecuteFileDialog(const std::string& proposedName, QWidget* owner,
                                               const std::string& filter, bool openMode,
                                               const std::string& defaultExtension,
                                               const std::string& initialFolder) override;
  std::optional<Color> ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) override;
  bool ExecutePrintDialog(QPrinter& printer, QWidget* owner) override;
};

}  // namespace calorix
