#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace calorix::ui {

// The distributor's contact data the about box shows. Placeholders: the
// product is made for whoever distributes it.
inline constexpr const char* kDistributorAddress = "Your Solar Distributor\n100 Example Street\nAnytown, XX 00000";
inline constexpr const char* kDistributorTelephone = "+1 555 0100";
inline constexpr const char* kDistributorFax = "+1 555 0101";

// The about box: program title, version, the freeware disclaimer and for
// whom the product is made. Created once and reused; it takes the texts of
// the current language at every showing. OK, Enter, Esc (from any control)
// and the close box close it.
class TDialogAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TDialogAbout(QWidget* parent = nullptr);

  // Fills the box in the current language; runs at every showing.
  void FormShow();

  QLabel* LabelVersion() const { return labelVersion_; }
  QPlainTextEdit* Disclaimer() const { return disclaimer_; }
  QLabel* LabelByOrderOf() const { return labelByOrderOf_; }
  QLabel* LabelCountry() const { return labelCountry_; }
  QLabel* LabelFon() const { return labelFon_; }
  QLabel* LabelFax() const { return labelFax_; }
  QLabel* Address() const { return memo1_; }

  // Esc, which no control of the box takes for itself, and the close box
  // end it as OK does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* labelAppName_ = nullptr;
  QLabel* labelVersion_ = nullptr;
  QPlainTextEdit* disclaimer_ = nullptr;
  QLabel* labelByOrderOf_ = nullptr;
  QLabel* memo1_ = nullptr;
  QLabel* labelCountry_ = nullptr;
  QLabel* labelFon_ = nullptr;
  QLabel* labelFax_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace calorix::ui
