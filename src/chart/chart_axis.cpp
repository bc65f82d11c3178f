#include "chart/chart_axis.h"

#include "core/error.h"

namespace calorix::chart {
namespace {
const char* const kOrderError = "Axis minimum value must be less than or equal to maximum value.";
}

void ChartAxis::SetMinimum(double value) {
  if (value > max_) throw Error(kOrderError);
  min_ = value;
  Changed();
}

void ChartAxis::SetMaximum(double value) {
  if (value < min_) throw Error(kOrderError);
  max_ = value;
  Changed();
}

void ChartAxis::SetMinMax(double min, double max) {
  if (min > max) throw Error(kOrderError);
  min_ = min;
  max_ = max;
  Changed();
}

void ChartAxis::SetAutomatic(bool automatic) {
  automatic_ = automatic;
  Changed();
}

void ChartAxis::SetAutomaticMinimum(bool automatic) {
  automaticMin_ = automatic;
  Changed();
}

void ChartAxis::SetAutomaticMaximum(bool automatic) {
  automaticMax_ = automatic;
  Changed();
}

void ChartAxis::SetLabelKind(AxisLabelKind kind) {
  labelKind_ = kind;
  Changed();
}

void ChartAxis::SetDateTimeFormat(std::string format) {
  dateTimeFormat_ = std::move(format);
  Changed();
}

void ChartAxis::SetIncrement(double increment) {
  increment_ = increment;
  Changed();
}

void ChartAxis::SetTitle(std::string title) {
  title_ = std::move(title);
  Changed();
}

void ChartAxis::SetGridVisible(bool visible) {
  gridVisible_ = visible;
  Changed();
}

void ChartAxis::SetGridDotted(bool dotted) {
  gridDotted_ = dotted;
  Changed();
}

void ChartAxis::SetMinorGrid(bool visible) {
  minorGrid_ = visible;
  Changed();
}

void ChartAxis::SetLabelSeparation(int percent) {
  labelSeparation_ = percent;
  Changed();
}

void ChartAxis::SetTickLength(int length) {
  tickLength_ = length;
  Changed();
}

void ChartAxis::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void ChartAxis::CopySettingsFrom(const ChartAxis& other) {
  min_ = other.min_;
  max_ = other.max_;
  automatic_ = other.automatic_;
  automaticMin_ = other.automaticMin_;
  automaticMax_ = other.automaticMax_;
  labelKind_ = other.labelKind_;
  dateTimeFormat_ = other.dateTimeFormat_;
  increment_ = other.increment_;
  title_ = other.title_;
  gridVisible_ = other.gridVisible_;
  gridDotted_ = other.gridDotted_;
  minorGrid_ = other.minorGrid_;
  labelSeparation_ = other.labelSeparation_;
  tickLength_ = other.tickLength_;
  visible_ = other.visible_;
  Changed();
}

}  // namespace calorix::chart
