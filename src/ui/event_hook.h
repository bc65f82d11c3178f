#pragma once

#include <QObject>
#include <functional>
#include <utility>

namespace calorix::ui {

// Lets a window see another widget's events without subclassing it. The
// hook belongs to the watched object and goes with it. The handler returns
// whether the event is consumed.
class EventHook : public QObject {
 public:
  EventHook(QObject* watched, std::function<bool(QObject*, QEvent*)> handler)
      : QObject(watched), handler_(std::move(handler)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

 private:
  std::function<bool(QObject*, QEvent*)> handler_;
};

}  // namespace calorix::ui
