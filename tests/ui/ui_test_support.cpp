#include "ui_test_support.h"

#include <fstream>

#include "chartview/chart_view.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"

namespace calorix::ui::testing {

std::filesystem::path SampleFile(std::string_view relative) {
  return std::filesystem::path(CALORIX_SAMPLES_DIR) / relative;
}

TChildSettings DefaultSettings() { return DefaultChildSettings(); }

EnglishTexts::EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }
EnglishTexts::~EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

WindowTest::WindowTest() : window_(new TChildform(dialogs_)) {
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->SetSettingsStore(nullptr);
  window_->ApplySettings(DefaultSettings());
  window_->resize(1000, 700);
}

WindowTest::~WindowTest() { delete window_; }

QCheckBox& WindowTest::Box(std::string_view name) {
  return *window_->findChild<QCheckBox*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QComboBox& WindowTest::SpanChoice() { return *window_->findChild<QComboBox*>("SpanTime"); }
QSlider& WindowTest::Slider() { return *window_->findChild<QSlider*>("SliderTime"); }

QToolButton& WindowTest::Button(std::string_view name) {
  return *window_->findChild<QToolButton*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

chart::ChartPanel& WindowTest::Upper() { return window_->findChild<chartview::ChartView*>("Chart")->Panel(); }
chart::ChartPanel& WindowTest::Lower() { return window_->findChild<chartview::ChartView*>("Chart2")->Panel(); }

void WindowTest::ChooseSpan(int item) {
  SpanChoice().setCurrentIndex(item);
  emit SpanChoice().activated(item);
}

void WindowTest::LoadRange(const std::filesystem::path& first, const std::filesystem::path& last) {
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::RunMultiDayLoad(request.files, request.start, request.end, *window_, {});
}

std::vector<std::string> WindowTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : dialogs_.Messages()) texts.push_back(m.text);
  return texts;
}

double WindowTest::StartMinute(double day) { return (Upper().BottomAxis().Minimum() - day) * 1440.0; }
double WindowTest::EndMinute(double day) { return (Upper().BottomAxis().Maximum() - day) * 1440.0; }

}  // namespace calorix::ui::testing
