#include "chartview/chart_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QWindow>

#include "chart_test_support.h"
#include "evaluation/panel_setup.h"
#include "core/error.h"
#include "i18n/text_table.h"

namespace calorix::chartview {
namespace {

using test::kMinute;

void Send(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

void Drag(QWidget& w, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
  Send(w, QEvent::MouseButtonPress, from, button, button);
  for (int i = 1; i <= 4; ++i) Send(w, QEvent::MouseMove, from + (to - from) * i / 4.0, Qt::NoButton, button);
  Send(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// A double click as the platform delivers it: press, release, double
// click, release.
void DoubleClick(QWidget& w, QPointF at) {
  Send(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Send(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  Send(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  Send(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// Shows the widget and waits (5 s at most) until its window is on screen.
bool ShowExposed(QWidget& w) {
  w.show();
  QElapsedTimer waited;
  waited.start();
  while (!(w.windowHandle() && w.windowHandle()->isExposed()) && waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return w.windowHandle() && w.windowHandle()->isExposed();
}

// The upper chart of a window showing one day, with counters on its events.
class ChartViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    evaluation::SetUpUpperPanel(panel);
    panel.BottomAxis().SetMinMax(day, day + 1.0);
    panel.LeftAxis().SetMinMax(-40.0, 250.0);
    panel.OnZoom = [this] { ++zooms; };
    panel.OnUndoZoom = [this] { ++undos; };
    panel.OnScroll = [this] { ++scrolls; };
    series = std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, &panel);
    for (int m = 0; m < 1440; m += 10) series->AddPoint(day + m * kMinute, 20.0 + m / 20.0, 0x0000FF);
    series->PlaceOnPanel();
    view = std::make_unique<ChartView>(panel);
    view->resize(800, 400);
  }
  void TearDown() override { view.reset(); }

  QPointF At(double xFraction, double yFraction) const {
    const QRectF plot = view->CurrentLayout().plot;
    return {plot.left() + xFraction * plot.width(), plot.top() + yFraction * plot.height()};
  }

  const double day = test::Day();
  chart::ChartPanel panel;
  std::unique_ptr<chart::ChartSeries> series;
  std::unique_ptr<ChartView> view;
  int zooms = 0;
  int undos = 0;
  int scrolls = 0;
};

// The keyboard's chart is told apart by a frame along its edges.
TEST_F(ChartViewTest, FocusedChartShowsAFocusFrame) {
  QWidget other;
  other.setFocusPolicy(Qt::StrongFocus);
  view->setParent(&other);
  other.resize(820, 420);
  other.show();
  other.activateWindow();
  QApplication::setActiveWindow(&other);
  const QColor highlight = view->palette().color(QPalette::Highlight);
  const auto edgeIsHighlight = [&] {
    const QImage image = view->grab().toImage();
    return QColor(image.pixel(image.width() / 2, 0)) == highlight &&
           QColor(image.pixel(0, image.height() / 2)) == highlight;
  };
  other.setFocus();
  EXPECT_FALSE(edgeIsHighlight());
  view->setFocus();
  ASSERT_TRUE(view->hasFocus());
  EXPECT_TRUE(edgeIsHighlight());
  view->setParent(nullptr);
}

TEST_F(ChartViewTest, DragRightDownZoomsIntoTheRectangle) {
  const ChartLayout before = view->CurrentLayout();
  const QPointF from = At(0.25, 0.2);
  const QPointF to = At(0.5, 0.6);
  Drag(*view, from, to);
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(panel.IsZoomed());
  EXPECT_NEAR(panel.BottomAxis().Minimum(), before.bottom.scale.ValueAt(from.x()), 1e-9);
  EXPECT_NEAR(panel.BottomAxis().Maximum(), before.bottom.scale.ValueAt(to.x()), 1e-9);
  EXPECT_NEAR(panel.BottomAxis().Minimum(), day + 0.25, 0.002);
  EXPECT_NEAR(panel.BottomAxis().Maximum(), day + 0.5, 0.002);
  EXPECT_NEAR(panel.LeftAxis().Maximum(), before.left.scale.ValueAt(from.y()), 1e-9);
  EXPECT_NEAR(panel.LeftAxis().Minimum(), before.left.scale.ValueAt(to.y()), 1e-9);
}

TEST_F(ChartViewTest, ClickWithoutDragDoesNothing) {
  Drag(*view, At(0.5, 0.5), At(0.5, 0.5) + QPointF(1, 1));
  EXPECT_EQ(zooms + undos + scrolls, 0);
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Minimum(), day);
}

TEST_F(ChartViewTest, DragUpLeftUndoesTheZoom) {
  Drag(*view, At(0.25, 0.2), At(0.5, 0.6));
  ASSERT_EQ(zooms, 1);
  Drag(*view, At(0.6, 0.6), At(0.3, 0.2));
  EXPECT_EQ(undos, 1);
  EXPECT_EQ(zooms, 1);
  EXPECT_FALSE(panel.IsZoomed());
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Minimum(), day);
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Maximum(), day + 1.0);
  EXPECT_DOUBLE_EQ(panel.LeftAxis().Minimum(), -40.0);
}

TEST_F(ChartViewTest, DoubleClickUndoesTheZoom) {
  Drag(*view, At(0.25, 0.2), At(0.5, 0.6));
  DoubleClick(*view, At(0.4, 0.4));
  EXPECT_EQ(undos, 1);
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Maximum(), day + 1.0);
}

TEST_F(ChartViewTest, NoZoomWhenZoomIsNotAllowed) {
  panel.SetZoomAllowed(false);
  Drag(*view, At(0.25, 0.2), At(0.5, 0.6));
  Drag(*view, At(0.6, 0.6), At(0.3, 0.2));
  DoubleClick(*view, At(0.4, 0.4));
  EXPECT_EQ(zooms + undos + scrolls, 0);
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Minimum(), day);
}

TEST_F(ChartViewTest, DragOutsideThePlotDoesNothing) {
  Drag(*view, QPointF(2, 2), At(0.5, 0.5));
  EXPECT_EQ(zooms + undos + scrolls, 0);
}

TEST_F(ChartViewTest, HorizontalDragPansWhenPanningIsOn) {
  // The hour spans: zoom off, horizontal panning on.
  panel.SetZoomAllowed(false);
  panel.SetPanning(chart::Panning::Horizontal);
  panel.BottomAxis().SetMinMax(day + 7.0 / 24.0, day + 8.0 / 24.0);
  const ChartLayout layout = view->CurrentLayout();
  const QPointF from = At(0.75, 0.5);
  const QPointF to = At(0.25, 0.5);
  Drag(*view, from, to);
  EXPECT_GE(scrolls, 1);
  EXPECT_EQ(zooms, 0);
  // Dragging half the plot to the left shows 30 minutes later.
  const double shift = layout.bottom.scale.ValueAt(from.x()) - layout.bottom.scale.ValueAt(to.x());
  EXPECT_NEAR(shift, 30 * kMinute, 1e-6);
  EXPECT_NEAR(panel.BottomAxis().Minimum(), day + 7.0 / 24.0 + shift, 1e-9);
  EXPECT_NEAR(panel.BottomAxis().Maximum(), day + 8.0 / 24.0 + shift, 1e-9);
}

TEST_F(ChartViewTest, RightDragPansToo) {
  panel.SetPanning(chart::Panning::Horizontal);
  Drag(*view, At(0.25, 0.5), At(0.5, 0.5), Qt::RightButton);
  EXPECT_GE(scrolls, 1);
  EXPECT_EQ(zooms, 0);
  EXPECT_NEAR(panel.BottomAxis().Minimum(), day - 0.25, 0.002);
}

TEST_F(ChartViewTest, NoPanningWhenPanningIsOff) {
  panel.SetZoomAllowed(false);
  Drag(*view, At(0.75, 0.5), At(0.25, 0.5));
  Drag(*view, At(0.75, 0.5), At(0.25, 0.5), Qt::RightButton);
  EXPECT_EQ(scrolls + zooms + undos, 0);
  EXPECT_DOUBLE_EQ(panel.BottomAxis().Minimum(), day);
}

TEST_F(ChartViewTest, ErrorsOfEventHandlersStayInsideTheView) {
  std::string reported;
  view->SetErrorHandler([&reported](const std::string& message) { reported = message; });
  panel.OnZoom = [] { throw Error("handler failed"); };
  Drag(*view, At(0.25, 0.2), At(0.5, 0.6));
  EXPECT_EQ(reported, "handler failed");
}

TEST_F(ChartViewTest, PanelChangesScheduleARepaint) {
  ASSERT_TRUE(ShowExposed(*view));
  QApplication::processEvents();
  const QImage before = view->grab().toImage();
  panel.LeftAxis().SetMinMax(0.0, 100.0);
  QApplication::processEvents();
  EXPECT_FALSE(view->grab().toImage() == before);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A burst of changes is painted once, and a change after that paint is
// painted again: the pending request does not outlive its paint.
TEST_F(ChartViewTest, ABurstOfChangesPaintsOnceAndTheNextChangePaintsAgain) {
  ASSERT_TRUE(ShowExposed(*view));
  QApplication::processEvents();
  PaintCounter counter;
  view->installEventFilter(&counter);
  for (int width = 2; width < 40; ++width) series->SetPenWidth(width);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);
  panel.LeftAxis().SetMinMax(0.0, 100.0);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 2);
  view->removeEventFilter(&counter);
}

// The view draws each frame into the image of the one before: what the
// last frame showed leaves no trace, the frame is the panel drawn afresh.
TEST_F(ChartViewTest, AFrameDrawnOverTheLastOneIsThePanelDrawnAfresh) {
  const QImage full = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  series->RemoveFromPanel();
  panel.LeftAxis().SetMinMax(0.0, 100.0);
  const QImage next = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(next == full);
  EXPECT_TRUE(next == view->ToImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ChartViewTest, ViewLeavesThePanelWhenDestroyed) {
  view.reset();
  panel.LeftAxis().SetMinMax(0.0, 10.0);  // must not reach the destroyed view
  SUCCEED();
}

TEST_F(ChartViewTest, PrintsIntoAPdfPage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("chart.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageOrientation(QPageLayout::Landscape);
  panel.SetPrintResolution(-50);
  {
    QPainter painter(&printer);
    ASSERT_TRUE(painter.isActive());
    const QRect page = painter.viewport();
    view->PrintInto(painter, QRectF(page.width() / 20, page.height() / 20, page.width() * 0.9, page.height() * 0.6));
  }
  EXPECT_GT(QFileInfo(file).size(), 2000);
}

TEST_F(ChartViewTest, SavedBitmapHasTheWidgetsSize) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("chart.bmp");
  view->SaveBitmap(file);
  const QImage saved(file, "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(800, 400));
  EXPECT_EQ(saved.pixelColor(1, 1), QColor(Qt::white));
}

TEST_F(ChartViewTest, FailedSaveIsReportedInTheLanguageInUse) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("missing/folder/chart.bmp");
  const i18n::LanguageBlock before = i18n::CurrentBlock();
  i18n::SetCurrentBlock(i18n::LanguageBlock::French);
  std::string message;
  try {
    view->SaveBitmap(file);
  } catch (const Error& e) {
    message = e.what();
  }
  i18n::SetCurrentBlock(before);
  const std::string& text = i18n::TextOf(i18n::LanguageBlock::French, i18n::kTextImageNotSaved);
  EXPECT_TRUE(message.starts_with(text.substr(0, text.find("%1")) + file.toStdString())) << message;
  EXPECT_FALSE(QFileInfo::exists(file));
}

// Dark grey pixels in the middle of the plot, where a hint stands; the
// blue test curve does not count.
int InkInTheMiddle(const QImage& image, const QRectF& plot) {
  int ink = 0;
  const QRect middle =
      QRectF(plot.left() + plot.width() / 6, plot.center().y() - 20, plot.width() * 2 / 3, 40).toRect();
  for (int y = middle.top(); y <= middle.bottom(); ++y) {
    for (int x = middle.left(); x <= middle.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      ink += c.red() < 128 && c.green() < 128 && std::abs(c.blue() - c.red()) < 40 ? 1 : 0;
    }
  }
  return ink;
}

TEST_F(ChartViewTest, HintStandsInAnEmptyPlotOnScreenOnly) {
  chart::ChartPanel emptyPanel;
  evaluation::SetUpUpperPanel(emptyPanel);
  emptyPanel.BottomAxis().SetMinMax(day, day + 1.0);
  ChartView empty(emptyPanel);
  empty.resize(800, 400);
  const QRectF plot = empty.CurrentLayout().plot;
  EXPECT_EQ(InkInTheMiddle(empty.grab().toImage(), plot), 0);
  empty.SetHint(QStringLiteral("Tick a measured value on the left to show it"));
  EXPECT_GT(InkInTheMiddle(empty.grab().toImage(), plot), 50);
  EXPECT_EQ(InkInTheMiddle(empty.ToImage(), plot), 0) << "saved images carry no hint";
  view->SetHint(QStringLiteral("Tick a measured value on the left to show it"));
  EXPECT_EQ(InkInTheMiddle(view->grab().toImage(), view->CurrentLayout().plot), 0) << "a plot with a curve has none";
}

}  // namespace
}  // namespace calorix::chartview
