#include "tests/support/message_box_recorder.h"

#include <gtest/gtest.h>

#include "ui/text.h"

namespace {
int UnexpectedBox(const MessageBoxCall& call) {
  ADD_FAILURE() << "unexpected message box \"" << ToAnsi(call.title) << "\": " << ToAnsi(call.prompt);
  return IDOK;
}
}  // namespace

MessageBoxRecorder::MessageBoxRecorder(int defaultAnswer) : defaultAnswer_(defaultAnswer) {
  SetMessageBoxSeam([this](const MessageBoxCall& call) {
    calls_.push_back(call);
    if (answers_.empty()) return defaultAnswer_;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { InstallUnexpectedMessageBoxGuard(); }

void InstallUnexpectedMessageBoxGuard() { SetMessageBoxSeam(UnexpectedBox); }
