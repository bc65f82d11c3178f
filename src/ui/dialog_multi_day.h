#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/date_time.h"
#include "logdata/multi_day.h"
#include "ui/range_load.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace calorix {
class Dialogs;
}

namespace calorix::ui {

class TChildform;

// The multi-day analysis: the user picks the first and the last day file of
// a period; the dialog finds the files between them and loads them into the
// target window with a progress bar. Esc (or the close box) aborts a load
// between two files; it closes the dialog only when nothing is loading.
//
// Created once by the main window and reused: PrepareAnalysis, then exec().
// The result is Accepted after a finished analysis (or a single day), else
// Rejected.
class TDialogMultiDayAnalysis : public QDialog {
  Q_OBJECT

 public:
  // dialogs shows every message and file dialog; it must outlive the dialog.
  explicit TDialogMultiDayAnalysis(Dialogs& dialogs, QWidget* parent = nullptr);
  ~TDialogMultiDayAnalysis() override;

  // The window that receives the evaluation (may be null: Execute then
  // reports text 97) and the folder both path fields start with.
  void PrepareAnalysis(TChildform* target, const std::string& folder);
  // After PrepareAnalysis: the path fields start at these files instead
  // (a folder dropped on the main window offers its first and last day).
  void ProposeRange(const std::string& first, const std::string& last);
  // The first and the last file as the path fields hold them now.
  std::pair<std::string, std::string> ChosenRange() const;
  // The folder to remember for the next analysis.
  std::string GetLastDir() const;
  // Files are being loaded: nothing may close the target window now.
  bool IsLoading() const { return loading_; }

  void SelectFromClick();
  void SelectToClick();
  void ExecuteBtnClick();
  void CancelBtnClick();
  // Loads the files into the target window with progress; an empty list is
  // reported (text 87) and changes nothing.
  void RunAnalysis(const std::vector<std::filesystem::path>& files, DateTime start, DateTime end);

  // While loading: aborts the load; after a finished analysis: closes as
  // OK; otherwise: Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  void FormShow();
  void Execute();
  void ShowLoading(bool loading);
  void ShowFinished();
  std::string EditText(const QLineEdit* edit) const;
  void SetEditText(QLineEdit* edit, const std::string& text);
  std::optional<std::string> Browse(QLineEdit* edit);
  // Paints the progress and takes the user's input while the load runs.
  bool PumpEvents();

  Dialogs& dialogs_;
  QPointer<TChildform> target_;
  std::string lastFolder_;
  bool toChosen_ = false;
  bool loading_ = false;
  bool abortRequested_ = false;
  bool finished_ = false;
  QElapsedTimer barPainted_;

  QFrame* bevel_ = nullptr;
  QLabel* labelFrom_ = nullptr;
  QLineEdit* pathFrom_ = nullptr;
  QPushButton* selectFrom_ = nullptr;
  QLabel* labelTo_ = nullptr;
  QLineEdit* pathTo_ = nullptr;
  QPushButton* selectTo_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* labelAbort_ = nullptr;
  QPushButton* executeBtn_ = nullptr;
  QPushButton* okBtn_ = nullptr;
  QPushButton* cancelBtn_ = nullptr;
};

}  // namespace calorix::ui
