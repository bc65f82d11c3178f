#pragma once

#include <functional>
#include <string>

namespace calorix::chart {

enum class AxisPosition { Bottom, Left, Right };
enum class AxisLabelKind { Value, DateTime };

// One axis of a panel: its range, how it labels and what grid it draws.
class ChartAxis {
 public:
  explicit ChartAxis(AxisPosition position) : position_(position) {}

  AxisPosition Position() const { return position_; }

  double Minimum() const { return min_; }
  double Maximum() const { return max_; }
  // Fails with an Error when the new minimum lies above the maximum (or the
  // new maximum below the minimum): callers order their calls.
  void SetMinimum(double value);
  void SetMaximum(double value);
  // Sets both at once; fails when min > max.
  void SetMinMax(double min, double max);

  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool automatic);
  bool AutomaticMinimum() const { return automaticMin_; }
  void SetAutomaticMinimum(bool automatic);
  bool AutomaticMaximum() const { return automaticMax_; }
  void SetAutomaticMaximum(bool automatic);

  AxisLabelKind LabelKind() const { return labelKind_; }
  void SetLabelKind(AxisLabelKind kind);
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(std::string format);

  // Label step; 0 lets the renderer choose.
  double Increment() const { return increment_; }
  void SetIncrement(double increment);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);
  bool GridVisible() const { return gridVisible_; }
  void SetGridVisible(bool visible);
  bool GridDotted() const { return gridDotted_; }
  void SetGridDotted(bool dotted);
  bool MinorGrid() const { return minorGrid_; }
  void SetMinorGrid(bool visible);
  int LabelSeparation() const { return labelSeparation_; }
  void SetLabelSeparation(int percent);
  int TickLength() const { return tickLength_; }
  void SetTickLength(int length);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Everything but the position, as one axis copied onto another.
  void CopySettingsFrom(const ChartAxis& other);

  // Called after every change; the panel uses it to tell its view.
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

 private:
  void Changed() const {
    if (changed_) changed_();
  }

  AxisPosition position_;
  double min_ = 0.0;
  double max_ = 0.0;
  bool automatic_ = true;
  bool automaticMin_ = true;
  bool automaticMax_ = true;
  AxisLabelKind labelKind_ = AxisLabelKind::Value;
  std::string dateTimeFormat_;
  double increment_ = 0.0;
  std::string title_;
  bool gridVisible_ = true;
  bool gridDotted_ = false;
  bool minorGrid_ = false;
  int labelSeparation_ = 10;
  int tickLength_ = 4;
  bool visible_ = true;
  std::function<void()> changed_;
};

}  // namespace calorix::chart
