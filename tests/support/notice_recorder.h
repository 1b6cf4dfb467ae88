// Records what a dialog or window would have told the user, instead of showing boxes
// that wait for an answer; questions get the answer the test chose.
#pragma once

#include <QString>
#include <vector>

#include "shell/user_notices.h"

namespace qw::test {

class NoticeRecorder {
 public:
  struct Notice {
    QString title;
    QString text;
  };

  NoticeRecorder() : saved_(Notices()) {
    Notices().tell = [this](QWidget*, const QString& title, const QString& text) { told.push_back({title, text}); };
    Notices().ask = [this](QWidget*, const QString& title, const QString& question) {
      asked.push_back({title, question});
      return answer;
    };
    Notices().beep = [this] { ++beeps; };
  }
  ~NoticeRecorder() { Notices() = saved_; }
  NoticeRecorder(const NoticeRecorder&) = delete;
  NoticeRecorder& operator=(const NoticeRecorder&) = delete;

  // The texts told, in order.
  std::vector<QString> texts() const {
    std::vector<QString> out;
    for (const Notice& notice : told) out.push_back(notice.text);
    return out;
  }
  void clear() {
    told.clear();
    asked.clear();
    beeps = 0;
  }

  std::vector<Notice> told;
  std::vector<Notice> asked;
  bool answer = false;
  int beeps = 0;

 private:
  UserNotices saved_;
};

}  // namespace qw::test
