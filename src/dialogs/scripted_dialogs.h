#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"

namespace calorix {

// Dialogs for tests: every call is recorded, and the answers come from a
// script, in the order given. Without a scripted answer a Yes/No box answers
// No and every dialog is cancelled; an OK box never takes a scripted answer.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    QWidget* owner;
    MessageKind kind;
    MessageButtons buttons;
    std::string caption;
    std::string text;
  };
  struct FileRequest {
    QWidget* owner;
    std::string fileName;
    std::string filter;
    bool openMode;
    std::string defaultExtension;
    std::string initialFolder;
  };
  struct ColorRequest {
    QWidget* owner;
    Color color;
    TChildSettings settings;
  };

  void AnswerMessage(MessageAnswer answer) { messageAnswers_.push_back(answer); }
  void ChooseFile(std::string path) { fileAnswers_.emplace_back(std::move(path)); }
  void CancelFile() { fileAnswers_.emplace_back(std::nullopt); }
  void ChooseColor(Color color) { colorAnswers_.emplace_back(color); }
  void CancelColor() { colorAnswers_.emplace_back(std::nullopt); }
  void AnswerPrint(bool print) { printAnswers_.push_back({print, {}}); }
  // The user picks printing into a PDF file and confirms.
  void PrintToPdf(std::string path) { printAnswers_.push_back({true, std::move(path)}); }

  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
  const std::vector<ColorRequest>& ColorRequests() const { return colorRequests_; }
  int PrintRequests() const { return printRequests_; }

  // True when every scripted answer has been used.
  bool ScriptUsedUp() const;

  MessageAnswer ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons, const std::string& caption,
                            const std::string& text) override;
  std::optional<std::string> ExecuteFileDialog(const std::string& proposedName, QWidget* owner,
                                               const std::string& filter, bool openMode,
                                               const std::string& defaultExtension,
                                               const std::string& initialFolder) override;
  std::optional<Color> ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) override;
  bool ExecutePrintDialog(QPrinter& printer, QWidget* owner) override;

 private:
  std::deque<MessageAnswer> messageAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<std::optional<Color>> colorAnswers_;
  struct PrintAnswer {
    bool print;
    std::string pdfPath;
  };
  std::deque<PrintAnswer> printAnswers_;
  std::vector<Message> messages_;
  std::vector<FileRequest> fileRequests_;
  std::vector<ColorRequest> colorRequests_;
  int printRequests_ = 0;
};

}  // namespace calorix
