#include "ui/settings_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/error.h"
#include "dialogs/color_dialog.h"
#include "dialogs/dialogs.h"
#include "dialogs/screen_placement.h"
#include "i18n/text_table.h"
#include "settings/settings_keys.h"
#include "ui/channel_boxes.h"
#include "ui/command_guard.h"
#include "ui/event_hook.h"
#include "ui/qt_text.h"

namespace calorix::ui {

using logdata::Channel;

namespace {

constexpr int kMinLineWidth = 1;
constexpr int kMaxLineWidth = 99;
constexpr int kLabelEditWidth = 177;
constexpr int kTextPadding = 8;  // a line edit's own space beside its text, with room to spare
constexpr QSize kSwatchSize(21, 21);

std::string Utf8(const QString& text) { return text.toStdString(); }
QString TextQ(int n) { return Q(i18n::Text(n)); }

std::size_t RowOf(Channel channel) { return static_cast<std::size_t>(logdata::IndexOf(channel)); }
std::size_t SlotIndexOf(Channel channel) { return static_cast<std::size_t>(logdata::InfoOf(channel).slot); }
int DefaultTextOf(Channel channel) { return logdata::InfoOf(channel).defaultNameText; }

QLineEdit* MakeNumberEdit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setAlignment(Qt::AlignRight);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return edit;
}

}  // namespace

std::string StoredToLabel(const std::string& stored, int defaultText) {
  return stored == kDefaultLabel ? i18n::Text(defaultText) : stored;
}

std::string LabelToStored(const std::string& shown, int defaultText) {
  return shown == i18n::Text(defaultText) ? std::string(kDefaultLabel) : shown;
}

std::optional<std::int32_t> ParseDialogNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

TChildSettings DefaultButtonSettings() {
  TChildSettings settings = DefaultChildSettings();
  for (const ChannelBox& row : kChannelBoxes) {
    settings.Labels[SlotIndexOf(row.channel)] = i18n::Text(DefaultTextOf(row.channel));
  }
  return settings;
}

TDialogSettings::TDialogSettings(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName("DialogSettings");
  setModal(true);
  Build();
  CenterOnScreen(*this);
}

TDialogSettings::~TDialogSettings() = default;

void TDialogSettings::Build() {
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel");
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* grid = new QGridLayout(panel);
  grid->setHorizontalSpacing(10);

  labelHeader_ = new QLabel(panel);
  labelHeader_->setObjectName("LabelHeader");
  QFont bold = labelHeader_->font();
  bold.setBold(true);
  labelHeader_->setFont(bold);
  grid->addWidget(labelHeader_, 0, 0, 1, 2);

  for (int g = 0; g < kChannelGroupCount; ++g) grid->addWidget(BuildChannelGroup(g), g + 1, 0);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildLineWidthGroup());
  right->addWidget(BuildAxisGroup());
  right->addStretch(1);
  grid->addLayout(right, 1, 1, kChannelGroupCount, 1);

  labelOutputHeadline_ = new QLabel(panel);
  labelOutputHeadline_->setObjectName("LabelOutputHeadline");
  editOutputHeadline_ = new QLineEdit(panel);
  editOutputHeadline_->setObjectName("EditOutputHeadline");
  labelOutputHeadline_->setBuddy(editOutputHeadline_);
  grid->addWidget(labelOutputHeadline_, kChannelGroupCount + 1, 0, 1, 2);
  grid->addWidget(editOutputHeadline_, kChannelGroupCount + 2, 0, 1, 2);

  defaultButton_ = new QPushButton(this);
  defaultButton_->setObjectName("DefaultButton");
  defaultButton_->setAutoDefault(false);
  okButton_ = new QPushButton(this);
  okButton_->setObjectName("OKBtn");
  okButton_->setDefault(true);
  cancelButton_ = new QPushButton(this);
  cancelButton_->setObjectName("CancelBtn");
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, GuardedSlot(dialogs_, this, &TDialogSettings::OKBtnClick));
  connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(defaultButton_, &QPushButton::clicked, this,
          GuardedSlot(dialogs_, this, &TDialogSettings::DefaultButtonClick));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaultButton_);
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* column = new QVBoxLayout(this);
  column->addWidget(panel);
  column->addLayout(buttons);
  // The form's size at least; the layout keeps what the texts need.
  resize(sizeHint().expandedTo(QSize(557, 523)));
}

QWidget* TDialogSettings::BuildChannelGroup(int group) {
  static constexpr std::array<const char*, kChannelGroupCount> kNames = {"GroupBoxInputs", "GroupBoxOthers",
                                                                         "GroupBoxExits"};
  auto* box = new QGroupBox(this);
  box->setObjectName(kNames[static_cast<std::size_t>(group)]);
  groups_[static_cast<std::size_t>(group)] = box;
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  grid->setColumnStretch(0, 1);
  for (const ChannelBox& channel : kChannelBoxes) {
    if (static_cast<int>(channel.group) != group) continue;
    Row& row = rows_[RowOf(channel.channel)];
    row.name = new QLabel(box);
    row.name->setObjectName(QStringLiteral("Label%1").arg(channel.name));
    row.edit = new QLineEdit(box);
    row.edit->setObjectName(QStringLiteral("Edit%1").arg(channel.name));
    row.edit->setMinimumWidth(kLabelEditWidth);
    row.name->setBuddy(row.edit);
    row.swatch = new QToolButton(box);
    row.swatch->setObjectName(QStringLiteral("Color%1").arg(channel.name));
    row.swatch->setFixedSize(kSwatchSize);
    row.swatch->setIconSize(kSwatchSize - QSize(6, 6));
    row.swatch->setFocusPolicy(Qt::StrongFocus);
    const auto slot = logdata::InfoOf(channel.channel).slot;
    connect(row.swatch, &QToolButton::clicked, this,
            [this, slot] { RunCommand(dialogs_, this, [this, slot] { PickColour(slot); }); });
    grid->addWidget(row.name, channel.row, 0);
    grid->addWidget(row.edit, channel.row, 1);
    grid->addWidget(row.swatch, channel.row, 2);
  }
  if (group == static_cast<int>(ChannelGroup::Inputs)) return box;

  // Bars or lines for the whole group, at its right.
  const bool others = group == static_cast<int>(ChannelGroup::Others);
  BarChoice& choice = barChoices_[others ? 0 : 1];
  choice.header = new QLabel(box);
  choice.header->setObjectName(others ? "LabelOthersBHeader" : "LabelRBHeader");
  choice.lines = new QRadioButton(box);
  choice.lines->setObjectName(others ? "RadioOthersShowLines" : "RadioRShowLines");
  choice.bars = new QRadioButton(box);
  choice.bars->setObjectName(others ? "RadioOthersShowBars" : "RadioRShowBars");
  choice.bars->setChecked(true);
  (others ? radioOthersShowBars_ : radioRShowBars_) = choice.bars;
  auto* column = new QVBoxLayout;
  column->addWidget(choice.header);
  column->addWidget(choice.lines);
  column->addWidget(choice.bars);
  column->addStretch(1);
  grid->addLayout(column, 0, 3, 4, 1);
  grid->setColumnMinimumWidth(3, 90);
  return box;
}

QWidget* TDialogSettings::BuildLineWidthGroup() {
  groupLineWidth_ = new QGroupBox(this);
  groupLineWidth_->setObjectName("GroupLineWidth");
  auto* row = new QHBoxLayout(groupLineWidth_);
  // No length limit: a stored width above 99 must show as it is, to be
  // rejected, not cut to two digits.
  editLineWidth_ = MakeNumberEdit(groupLineWidth_, "EditLineWidth", 0);
  editLineWidth_->setText("1");
  editLineWidth_->setFixedWidth(editLineWidth_->fontMetrics().horizontalAdvance("0000") + 12);
  // The up-down control reads the edit and writes it back, so the two can
  // never disagree; the arrow keys in the edit step it too.
  auto* upDown = new QWidget(groupLineWidth_);
  upDown->setObjectName("UpDownLineWidth");
  auto* arrows = new QVBoxLayout(upDown);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(upDown);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(16, 11);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, delta = delta] { StepLineWidth(delta); });
    arrows->addWidget(button);
  }
  new EventHook(editLineWidth_, [this](QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    StepLineWidth(key == Qt::Key_Up ? 1 : -1);
    return true;
  });
  row->addWidget(editLineWidth_);
  row->addWidget(upDown);
  row->addStretch(1);
  return groupLineWidth_;
}

QWidget* TDialogSettings::BuildAxisGroup() {
  groupAxisLabels_ = new QGroupBox(this);
  groupAxisLabels_->setObjectName("GroupAxisLabels");
  auto* grid = new QGridLayout(groupAxisLabels_);
  radioAxisDynamic_ = new QRadioButton(groupAxisLabels_);
  radioAxisDynamic_->setObjectName("RadioAxisDynamic");
  radioAxisFixed_ = new QRadioButton(groupAxisLabels_);
  radioAxisFixed_->setObjectName("RadioAxisFixed");
  labelYMin_ = new QLabel(groupAxisLabels_);
  labelYMin_->setObjectName("LabelYMin");
  labelYMax_ = new QLabel(groupAxisLabels_);
  labelYMax_->setObjectName("LabelYMax");
  editYMin_ = MakeNumberEdit(groupAxisLabels_, "EditYMin", 0);
  editYMin_->setText("-40");
  editYMax_ = MakeNumberEdit(groupAxisLabels_, "EditYMax", 0);
  editYMax_->setText("250");
  for (QLineEdit* edit : {editYMin_, editYMax_}) edit->setFixedWidth(70);
  labelYMin_->setBuddy(editYMin_);
  labelYMax_->setBuddy(editYMax_);
  grid->addWidget(radioAxisDynamic_, 0, 0, 1, 2);
  grid->addWidget(radioAxisFixed_, 1, 0, 1, 2);
  grid->addWidget(labelYMin_, 2, 0);
  grid->addWidget(editYMin_, 2, 1);
  grid->addWidget(labelYMax_, 3, 0);
  grid->addWidget(editYMax_, 3, 1);
  grid->setColumnStretch(2, 1);
  return groupAxisLabels_;
}

void TDialogSettings::SetValues(const TChildSettings& settings) {
  committed_ = settings;
  working_ = settings;
}

void TDialogSettings::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TDialogSettings::FormShow() {
  FillControls();
  ShowTexts();
  editOutputHeadline_->setFocus();
}

void TDialogSettings::FillControls() {
  editOutputHeadline_->setText(Q(working_.ChartTitle));
  editLineWidth_->setText(QString::number(working_.LineWidth));
  (working_.DynamicScaling ? radioAxisDynamic_ : radioAxisFixed_)->setChecked(true);
  editYMin_->setText(QString::number(working_.AxisMin));
  editYMax_->setText(QString::number(working_.AxisMax));
  for (const ChannelBox& row : kChannelBoxes) {
    const std::string& stored = working_.Labels[SlotIndexOf(row.channel)];
    rows_[RowOf(row.channel)].edit->setText(Q(StoredToLabel(stored, DefaultTextOf(row.channel))));
    ShowSwatch(row.channel);
  }
  (working_.OthersShowBars ? barChoices_[0].bars : barChoices_[0].lines)->setChecked(true);
  (working_.RShowBars ? barChoices_[1].bars : barChoices_[1].lines)->setChecked(true);
}

void TDialogSettings::ShowTexts() {
  using namespace i18n;
  setWindowTitle(TextQ(kTextSettings));
  labelHeader_->setText(TextQ(kTextSettingsHeader) + ":");
  groupLineWidth_->setTitle(TextQ(kTextLineWidth) + " ");
  groupAxisLabels_->setTitle(TextQ(kTextScaleYAxis) + " ");
  radioAxisDynamic_->setText(TextQ(kTextDynamic));
  radioAxisFixed_->setText(TextQ(kTextFixed));
  labelYMin_->setText(TextQ(kTextYMin));
  labelYMax_->setText(TextQ(kTextYMax));
  labelOutputHeadline_->setText(TextQ(kTextOutputHeading));
  for (BarChoice& choice : barChoices_) {
    choice.header->setText(TextQ(kTextDisplayAs));
    choice.bars->setText(TextQ(kTextBars));
    choice.lines->setText(TextQ(kTextLines));
  }
  okButton_->setText(TextQ(kTextOk));
  cancelButton_->setText(TextQ(kTextCancel));
  defaultButton_->setText(TextQ(kTextDefault));
  for (std::size_t g = 0; g < groups_.size(); ++g) groups_[g]->setTitle(TextQ(kGroupTexts[g]) + " ");
  // One column of edits through all three groups, whatever the names need.
  int nameWidth = 0;
  for (const ChannelBox& row : kChannelBoxes) {
    QLabel* name = rows_[RowOf(row.channel)].name;
    name->setText(TextQ(DefaultTextOf(row.channel)));
    nameWidth = std::max(nameWidth, name->sizeHint().width());
  }
  for (const Row& row : rows_) {
    row.name->setMinimumWidth(nameWidth);
    // The swatches show only their colour: screen readers and tooltips
    // name the channel they colour.
    const QString swatchName = row.name->text() + ": " + TextQ(i18n::kTextColour);
    row.swatch->setAccessibleName(swatchName);
    row.swatch->setToolTip(swatchName);
  }
  editLineWidth_->setAccessibleName(TextQ(kTextLineWidth));
  FitLabelEdits();
}

// A default name in any language fits its field whole, so that switching
// the language never cuts one off: the fields are as wide as the longest.
void TDialogSettings::FitLabelEdits() {
  QLineEdit* sample = rows_.front().edit;
  const QFontMetrics metrics(sample->font());
  int widest = 0;
  for (const ChannelBox& row : kChannelBoxes) {
    for (int block = 0; block < i18n::kBlockCount; ++block) {
      const std::string& name = i18n::TextOf(static_cast<i18n::LanguageBlock>(block), DefaultTextOf(row.channel));
      widest = std::max(widest, metrics.horizontalAdvance(Q(name)));
    }
  }
  // The frame and the margins the field keeps around its text.
  const int frame = 2 * sample->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, sample);
  const QMargins margins = sample->textMargins() + sample->contentsMargins();
  const int width = std::max(kLabelEditWidth, widest + frame + margins.left() + margins.right() + kTextPadding);
  for (const Row& row : rows_) row.edit->setMinimumWidth(width);
}

void TDialogSettings::ShowSwatch(Channel channel) {
  QToolButton* swatch = rows_[RowOf(channel)].swatch;
  const qreal scale = devicePixelRatioF();
  QPixmap pixmap(swatch->iconSize() * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(ToQColor(working_.Colors[SlotIndexOf(channel)]));
  QPainter painter(&pixmap);
  painter.setPen(QPen(palette().color(QPalette::Shadow), 0));
  painter.drawRect(QRectF(QPointF(0, 0), QSizeF(swatch->iconSize())).adjusted(0, 0, -1.0 / scale, -1.0 / scale));
  painter.end();
  swatch->setIcon(QIcon(pixmap));
}

void TDialogSettings::OKBtnClick() {
  working_.ChartTitle = Utf8(editOutputHeadline_->text());
  working_.DynamicScaling = radioAxisDynamic_->isChecked();
  // A width that is no number gets the same message as one out of range.
  const auto lineWidth = ParseDialogNumber(editLineWidth_->text());
  if (lineWidth) working_.LineWidth = *lineWidth;
  if (!lineWidth || *lineWidth < kMinLineWidth || *lineWidth > kMaxLineWidth) {
    editLineWidth_->setFocus();
    throw Error(i18n::Text(i18n::kTextInvalidLineWidth));
  }
  const auto axisMin = ParseDialogNumber(editYMin_->text());
  const auto axisMax = ParseDialogNumber(editYMax_->text());
  if (!axisMin || !axisMax) throw Error(i18n::Text(i18n::kTextYAxisFigures));
  working_.AxisMin = *axisMin;
  working_.AxisMax = *axisMax;
  ReadLabels();
  working_.OthersShowBars = radioOthersShowBars_->isChecked();
  working_.RShowBars = radioRShowBars_->isChecked();
  committed_ = working_;
  accept();
}

void TDialogSettings::ReadLabels() {
  // In screen order, so the first empty edit from the top gets the focus.
  for (const ChannelBox& row : kChannelBoxes) {
    QLineEdit* edit = rows_[RowOf(row.channel)].edit;
    if (edit->text().isEmpty()) {
      edit->setFocus();
      throw Error(i18n::Text(i18n::kTextEnterIdentifier));
    }
    working_.Labels[SlotIndexOf(row.channel)] = LabelToStored(Utf8(edit->text()), DefaultTextOf(row.channel));
  }
}

void TDialogSettings::CancelBtnClick() {
  working_ = committed_;
  QDialog::reject();
}

void TDialogSettings::reject() { CancelBtnClick(); }

void TDialogSettings::DefaultButtonClick() {
  committed_ = DefaultButtonSettings();
  working_ = committed_;
  FillControls();
}

void TDialogSettings::PickColour(SettingSlot slot) {
  const auto index = static_cast<std::size_t>(slot);
  if (const auto colour = dialogs_.ExecuteColorDialog(working_.Colors[index], this, working_)) {
    working_.Colors[index] = *colour;
  }
  for (const ChannelBox& row : kChannelBoxes) {
    if (logdata::InfoOf(row.channel).slot == slot) ShowSwatch(row.channel);
  }
}

void TDialogSettings::StepLineWidth(int delta) {
  const auto current = ParseDialogNumber(editLineWidth_->text());
  const int next = current ? std::clamp(*current + delta, kMinLineWidth, kMaxLineWidth) : kMinLineWidth;
  editLineWidth_->setText(QString::number(next));
}

QLineEdit* TDialogSettings::LabelEdit(Channel channel) const { return rows_[RowOf(channel)].edit; }

QToolButton* TDialogSettings::Swatch(Channel channel) const { return rows_[RowOf(channel)].swatch; }

}  // namespace calorix::ui
