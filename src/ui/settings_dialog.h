#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/child_settings.h"
#include "logdata/channel.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QToolButton;

namespace calorix {
class Dialogs;
}

namespace calorix::ui {

// A stored label as the dialog shows it: "DEFAULT_LABEL" is the default
// name (text defaultText of the current language), anything else itself.
std::string StoredToLabel(const std::string& stored, int defaultText);
// The other way: the current language's default name is stored as
// "DEFAULT_LABEL", so that it follows later language changes; anything else,
// another language's default name too, is stored as typed.
std::string LabelToStored(const std::string& shown, int defaultText);

// A whole number as typed in the dialog's number edits, blanks around it
// allowed; nothing when the text is not one.
std::optional<std::int32_t> ParseDialogNumber(const QString& text);

// What the Default button sets: the values of an empty settings file, with
// the current language's default names as labels.
TChildSettings DefaultButtonSettings();

// The settings dialog: edits one TChildSettings record, the defaults for new
// windows or one window's own settings; the caller decides which. It keeps a
// committed copy (what GetValues returns) and a working copy (what the
// controls show); only a successful OK, SetValues and Default change the
// committed one. Created once and reused; texts follow the language at every
// showing.
class TDialogSettings : public QDialog {
  Q_OBJECT

 public:
  // dialogs shows the colour dialog and the error messages.
  explicit TDialogSettings(Dialogs& dialogs, QWidget* parent = nullptr);
  ~TDialogSettings() override;

  // Loads both copies; call before each showing.
  void SetValues(const TChildSettings& settings);
  TChildSettings GetValues() const { return committed_; }

  // The handlers, public so that tests can drive the dialog without a
  // person. FormShow runs at every showing.
  void FormShow();
  // Reads the controls into the working copy in the order they are checked;
  // a check that fails moves the focus where it says and throws Error with
  // the language text, leaving the committed copy and the dialog as they
  // are. On success the dialog closes with Accepted.
  void OKBtnClick();
  void CancelBtnClick();
  void DefaultButtonClick();
  // The colour swatch of a slot: the colour dialog with the working colours.
  void PickColour(SettingSlot slot);
  // The up-down control beside the line width: one step, kept in 1..99.
  void StepLineWidth(int delta);

  // The controls, by the names of the form.
  QLineEdit* LabelEdit(logdata::Channel channel) const;
  QToolButton* Swatch(logdata::Channel channel) const;
  QLineEdit* EditLineWidth() const { return editLineWidth_; }
  QLineEdit* EditYMin() const { return editYMin_; }
  QLineEdit* EditYMax() const { return editYMax_; }
  QLineEdit* EditOutputHeadline() const { return editOutputHeadline_; }
  QRadioButton* RadioAxisDynamic() const { return radioAxisDynamic_; }
  QRadioButton* RadioOthersShowBars() const { return radioOthersShowBars_; }
  QRadioButton* RadioRShowBars() const { return radioRShowBars_; }

  // Closing by Esc or the close box is Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Row {
    QLabel* name = nullptr;
    QLineEdit* edit = nullptr;
    QToolButton* swatch = nullptr;
  };
  struct BarChoice {
    QLabel* header = nullptr;
    QRadioButton* lines = nullptr;
    QRadioButton* bars = nullptr;
  };

  void Build();
  QWidget* BuildChannelGroup(int group);
  QWidget* BuildLineWidthGroup();
  QWidget* BuildAxisGroup();
  void FillControls();
  void ShowTexts();
  void FitLabelEdits();
  void ShowSwatch(logdata::Channel channel);
  void ReadLabels();
  // Runs a handler as a command: its error is shown, the dialog stays.

  Dialogs& dialogs_;
  TChildSettings committed_;
  TChildSettings working_;

  QLabel* labelHeader_ = nullptr;
  std::array<QGroupBox*, 3> groups_{};
  std::array<Row, logdata::kChannelCount> rows_{};  // by channel index
  std::array<BarChoice, 2> barChoices_{};           // others, outputs
  QGroupBox* groupLineWidth_ = nullptr;
  QLineEdit* editLineWidth_ = nullptr;
  QGroupBox* groupAxisLabels_ = nullptr;
  QRadioButton* radioAxisDynamic_ = nullptr;
  QRadioButton* radioAxisFixed_ = nullptr;
  QLabel* labelYMin_ = nullptr;
  QLabel* labelYMax_ = nullptr;
  QLineEdit* editYMin_ = nullptr;
  QLineEdit* editYMax_ = nullptr;
  QLabel* labelOutputHeadline_ = nullptr;
  QLineEdit* editOutputHeadline_ = nullptr;
  QRadioButton* radioOthersShowBars_ = nullptr;
  QRadioButton* radioRShowBars_ = nullptr;
  QPushButton* defaultButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace calorix::ui
