#pragma once

#include <functional>
#include <utility>

namespace calorix::evaluation {

// Tells the window that curves were placed or removed or an evaluation
// came or went. A Batch holds the notice back while many curves change at
// once and sends it once at its end if anything changed.
class DisplayNotice {
 public:
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

  void Changed() {
    if (hold_ > 0) {
      pending_ = true;
      return;
    }
    pending_ = false;
    if (listener_) listener_();
  }

  class Batch {
   public:
    explicit Batch(DisplayNotice& notice) : notice_(notice) { ++notice_.hold_; }
    ~Batch() {
      if (--notice_.hold_ == 0 && notice_.pending_) notice_.Changed();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    DisplayNotice& notice_;
  };

 private:
  std::function<void()> listener_;
  int hold_ = 0;
  bool pending_ = false;
};

}  // namespace calorix::evaluation
