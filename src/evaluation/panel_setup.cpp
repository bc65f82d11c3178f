#include "evaluation/panel_setup.h"

#include <array>
#include <string_view>
#include <utility>

namespace calorix::evaluation {
namespace {

using chart::AxisLabelKind;
using chart::ChartAxis;
using chart::ChartPanel;

void MakeFixed(ChartAxis& axis) {
  axis.SetAutomatic(false);
  axis.SetAutomaticMinimum(false);
  axis.SetAutomaticMaximum(false);
}

void SetUpTimeAxis(ChartAxis& axis) {
  MakeFixed(axis);
  axis.SetLabelKind(AxisLabelKind::DateTime);
  axis.SetDateTimeFormat("hh:mm");
}

void SetUpCommon(ChartPanel& panel) {
  panel.SetMarginTop(2.0);
  panel.SetLegendVisible(false);
}

}  // namespace

void SetUpUpperPanel(ChartPanel& panel) {
  SetUpCommon(panel);
  panel.SetZoomAllowed(true);
  panel.SetPanning(chart::Panning::None);
  SetUpTimeAxis(panel.BottomAxis());
  MakeFixed(panel.LeftAxis());
  panel.LeftAxis().SetLabelKind(AxisLabelKind::Value);
  ChartAxis& right = panel.RightAxis();
  MakeFixed(right);
  right.SetGridVisible(false);
  if (right.Minimum() > 100.0) right.SetMinimum(0.0);
  right.SetMaximum(100.0);
}

void SetUpLowerPanel(ChartPanel& panel) {
  SetUpCommon(panel);
  panel.SetZoomAllowed(false);
  panel.SetPanning(chart::Panning::None);
  panel.SetTitleVisible(false);
  SetUpTimeAxis(panel.BottomAxis());
  ChartAxis& left = panel.LeftAxis();
  MakeFixed(left);
  left.SetMinMax(-2.0, 57.0);
  left.SetIncrement(5.0);
  left.SetLabelKind(AxisLabelKind::Value);
  left.SetGridVisible(true);
  left.SetGridDotted(true);
  left.SetLabelSeparation(0);
  left.SetTickLength(2);
  left.SetMinorGrid(false);
  ChartAxis& right = panel.RightAxis();
  right.SetGridVisible(true);
  right.SetGridDotted(true);
  right.SetIncrement(10.0);
  right.SetLabelSeparation(0);
  right.SetTickLength(2);
  panel.OnGetAxisLabel = GetAxisLabel;
}

void GetAxisLabel(const ChartAxis& axis, int /*valueIndex*/, std::string& label) {
  if (axis.Position() != chart::AxisPosition::Left) return;
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kLevels = {
      {{"50", "R1"}, {"35", "R2"}, {"20", "R3"}, {"5", "RErr"}}};
  for (const auto& [value, name] : kLevels) {
    if (label == value) {
      label = name;
      return;
    }
  }
  label.clear();
}

}  // namespace calorix::evaluation
