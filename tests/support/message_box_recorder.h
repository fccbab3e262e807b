#pragma once
// Message boxes in tests: every box goes through the program's message-box
// seam. A recorder keeps the boxes a test expects and answers them; a box
// that shows while no recorder is active fails the running test.
#include <deque>
#include <string>
#include <vector>

#include "ui/message_box.h"

class MessageBoxRecorder {
 public:
  // Every box is answered with defaultAnswer unless Answer() queued another.
  explicit MessageBoxRecorder(int defaultAnswer = IDOK);
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  // Queues the answer of the next box.
  void Answer(int button) { answers_.push_back(button); }

  const std::vector<MessageBoxCall>& Calls() const { return calls_; }
  size_t Count() const { return calls_.size(); }
  const MessageBoxCall& Last() const { return calls_.back(); }

 private:
  int defaultAnswer_;
  std::deque<int> answers_;
  std::vector<MessageBoxCall> calls_;
};

// Installed by the tests' main: a box outside any recorder fails the test.
void InstallUnexpectedMessageBoxGuard();
