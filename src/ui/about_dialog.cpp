#include "ui/about_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/screen_placement.h"
#include "i18n/text_table.h"
#include "ui/artwork.h"
#include "ui/window_look.h"

namespace calorix::ui {
namespace {

QString TextQ(int n) { return QString::fromStdString(i18n::Text(n)); }

QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TDialogAbout::TDialogAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("DialogAbout");
  setModal(true);
  auto* logo = MakeLabel(this, "HelvoLogo");
  logo->setPixmap(LogoPixmap(devicePixelRatioF()));
  logo->setFixedSize(kLogoSize);
  labelAppName_ = MakeLabel(this, "LabelAppName");
  QFont title = labelAppName_->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.4);
  labelAppName_->setFont(title);
  labelVersion_ = MakeLabel(this, "LabelVersion");
  for (QLabel* label : {labelAppName_, labelVersion_}) label->setAlignment(Qt::AlignRight);

  disclaimer_ = new QPlainTextEdit(this);
  disclaimer_->setObjectName("Disclaimer");
  disclaimer_->setAccessibleName(TextQ(i18n::kTextInfo));
  disclaimer_->setReadOnly(true);
  disclaimer_->setFrameShape(QFrame::NoFrame);
  disclaimer_->setMinimumSize(460, 193);
  disclaimer_->viewport()->setAutoFillBackground(false);

  labelByOrderOf_ = MakeLabel(this, "LabelByOrderOf");
  memo1_ = MakeLabel(this, "Memo1");
  memo1_->setText(kDistributorAddress);
  memo1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  labelCountry_ = MakeLabel(this, "LabelCountry");
  labelFon_ = MakeLabel(this, "LabelFon");
  labelFax_ = MakeLabel(this, "LabelFax");
  okButton_ = new QPushButton(QStringLiteral("&OK"), this);
  okButton_->setObjectName("OKBtn");
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

  auto* titles = new QVBoxLayout;
  titles->addWidget(logo, 0, Qt::AlignRight);
  titles->addWidget(labelAppName_);
  titles->addWidget(labelVersion_);
  auto* contact = new QGridLayout;
  contact->addWidget(labelByOrderOf_, 0, 0, 1, 2);
  contact->addWidget(memo1_, 1, 0, 1, 2);
  contact->addWidget(labelCountry_, 2, 0, 1, 2);
  contact->addWidget(labelFon_, 3, 0, 1, 2);
  contact->addWidget(labelFax_, 4, 0, 1, 2);
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(contact, 1);
  bottom->addWidget(okButton_, 0, Qt::AlignBottom);
  auto* column = new QVBoxLayout(this);
  column->addLayout(titles);
  column->addWidget(disclaimer_, 1);
  column->addLayout(bottom);
  resize(sizeHint().expandedTo(QSize(470, 399)));
  CenterOnScreen(*this);
}

void TDialogAbout::reject() { accept(); }

void TDialogAbout::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TDialogAbout::FormShow() {
  labelAppName_->setText(kProgramTitle);
  labelFon_->setText(TextQ(i18n::kTextTelephone) + " " + kDistributorTelephone);
  labelFax_->setText(TextQ(i18n::kTextFax) + " " + kDistributorFax);
  setWindowTitle(TextQ(i18n::kTextInfo) + ": " + kProgramTitle);
  labelVersion_->setText(TextQ(i18n::kTextVersion) + " " + kProgramVersion);
  disclaimer_->setPlainText(TextQ(i18n::kTextDisclaimer) + " " + TextQ(i18n::kTextDisclaimerContinued));
  // Read aloud under the box's name; its text is the disclaimer itself.
  disclaimer_->setAccessibleName(TextQ(i18n::kTextInfo));
  labelByOrderOf_->setText(TextQ(i18n::kTextManufacturedFor));
  labelCountry_->setText(TextQ(i18n::kTextCountry));
  okButton_->setFocus();
}

}  // namespace calorix::ui
