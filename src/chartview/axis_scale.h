#pragma once

namespace calorix::chartview {

// The linear map between an axis's values and positions along it. For a
// vertical axis the first position is the bottom of the plot, so values
// grow upwards. A range without width maps everything to its first position.
class AxisScale {
 public:
  AxisScale() = default;
  AxisScale(double valueMin, double valueMax, double posMin, double posMax)
      : valueMin_(valueMin),
        posMin_(posMin),
        factor_(valueMax > valueMin ? (posMax - posMin) / (valueMax - valueMin) : 0.0) {}

  double PosAtValue(double value) const { return posMin_ + (value - valueMin_) * factor_; }
  double ValueAt(double pos) const { return factor_ == 0.0 ? valueMin_ : valueMin_ + (pos - posMin_) / factor_; }
  // Positions per value unit; negative for a vertical axis.
  double Factor() const { return factor_; }
  bool IsUsable() const { return factor_ != 0.0; }

 private:
  double valueMin_ = 0.0;
  double posMin_ = 0.0;
  double factor_ = 0.0;
};

}  // namespace calorix::chartview
