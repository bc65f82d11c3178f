#pragma once

#include <optional>
#include <string>

#include "core/child_settings.h"
#include "core/color.h"

class QPrinter;
class QWidget;

namespace calorix {

// The icon of a message box, and with it its caption text.
enum class MessageKind { Error, Question, Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Message boxes of the evaluation window put a colon after the caption text.
enum class CaptionStyle { Plain, Colon };

// The caption of a message box of that kind in the current language: text 51
// (error), 50 (question), 52 (warning) or 53 (information).
std::string MessageCaption(MessageKind kind, CaptionStyle style = CaptionStyle::Plain);

// Everything that waits for the user sits behind this interface, so that the
// commands can be tested without a person: QtDialogs shows the real dialogs,
// ScriptedDialogs answers from a script. All calls are modal.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A message box; a Yes/No box answers No also when it is closed otherwise.
  virtual MessageAnswer ShowMessage(QWidget* owner, MessageKind kind, MessageButtons buttons,
                                    const std::string& caption, const std::string& text) = 0;

  // The open (openMode) or save dialog with a proposed name. filter is
  // "description|pattern|...". The full path of the file the user
  // confirmed; nothing on cancel.
  virtual std::optional<std::string> ExecuteFileDialog(const std::string& proposedName, QWidget* owner,
                                                       const std::string& filter, bool openMode,
                                                       const std::string& defaultExtension,
                                                       const std::string& initialFolder) = 0;

  // The colour dialog with the colour preselected and the colours of the
  // record being edited as custom colours. The colour the user chose;
  // nothing on cancel.
  virtual std::optional<Color> ExecuteColorDialog(Color color, QWidget* owner, const TChildSettings& settings) = 0;

  // The print dialog for the printer; true when the user chose to print.
  virtual bool ExecutePrintDialog(QPrinter& printer, QWidget* owner) = 0;

  // The message boxes as the program uses them, captioned per MessageCaption.
  void ShowError(QWidget* owner, const std::string& text, CaptionStyle style = CaptionStyle::Plain);
  void ShowInformation(QWidget* owner, const std::string& text, CaptionStyle style = CaptionStyle::Plain);
  // Yes/No boxes; true for Yes.
  bool AskQuestion(QWidget* owner, const std::string& text, CaptionStyle style = CaptionStyle::Plain);
  bool AskWarning(QWidget* owner, const std::string& text, CaptionStyle style = CaptionStyle::Plain);
};

}  // namespace calorix
