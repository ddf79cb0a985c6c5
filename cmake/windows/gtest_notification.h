// SPDX-License-Identifier: MIT
// GoogleTest's Notification for the mingw of the win32 thread model, which lacks the std::mutex and
// std::condition_variable of GoogleTest's own. Force-included ahead of GoogleTest's headers, with
// GTEST_HAS_NOTIFICATION_ set so that they take this one (cmake/WindowsTesting.cmake).
#pragma once

namespace testing::internal {

// Lets a controller thread hold back the threads it starts until it calls Notify().
class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify();
  void WaitForNotification();

 private:
  void* event_;  // a manual-reset Win32 event, kept as void* so that no TU here sees <windows.h>
};

}  // namespace testing::internal
