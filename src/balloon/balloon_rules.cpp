#include "balloon/balloon_rules.h"

#include <algorithm>

BalloonButtons ButtonsOf(BalloonKind kind) {
  switch (kind) {
    case BalloonKind::kAlarm:
      return {BalloonButton::kSnooze, BalloonButton::kStop};
    case BalloonKind::kTimer:
    case BalloonKind::kMissedAlarm:
      return {BalloonButton::kOk, BalloonButton::kNone};
    case BalloonKind::kFullHour:
      break;
  }
  return {};
}

BalloonAction ActionOfClick(BalloonKind kind, BalloonButton button) {
  BalloonAction action;
  if (kind == BalloonKind::kFullHour) {
    action.close = true;
    return action;
  }
  const BalloonButtons buttons = ButtonsOf(kind);
  if (button == BalloonButton::kNone || (button != buttons.first && button != buttons.second)) return action;
  action.close = true;
  action.stopSound = kind == BalloonKind::kAlarm;
  action.snooze = button == BalloonButton::kSnooze;
  return action;
}

BalloonTimeStep StepBalloonTime(BalloonKind kind, std::uint64_t shownAt, std::uint64_t now, bool soundStopped) {
  BalloonTimeStep step;
  const std::uint64_t elapsed = now > shownAt ? now - shownAt : 0;
  if (kind == BalloonKind::kFullHour) {
    if (elapsed >= kFullHourShownMs) {
      step.close = true;
    } else {
      step.nextCheck = shownAt + kFullHourShownMs;
    }
  } else if (kind == BalloonKind::kAlarm && !soundStopped) {
    if (elapsed >= kAlarmRingsAtMostMs) {
      step.stopSound = true;
    } else {
      step.nextCheck = shownAt + kAlarmRingsAtMostMs;
    }
  }
  return step;
}

bool BalloonQueue::Add(const BalloonMessage& message, bool standingAside) {
  if (message.kind == BalloonKind::kFullHour && standingAside) return false;
  if (!shown_) {
    shown_ = message;
    return true;
  }
  if (message.kind == BalloonKind::kFullHour) {
    std::erase_if(waiting_, [](const BalloonMessage& m) { return m.kind == BalloonKind::kFullHour; });
  }
  if (message.kind == BalloonKind::kAlarm) {
    const auto firstOther = std::find_if(waiting_.begin(), waiting_.end(),
                                         [](const BalloonMessage& m) { return m.kind != BalloonKind::kAlarm; });
    waiting_.insert(firstOther, message);
  } else {
    waiting_.push_back(message);
  }
  return false;
}

const BalloonMessage* BalloonQueue::CloseShown(bool standingAside) {
  shown_.reset();
  if (standingAside) {
    std::erase_if(waiting_, [](const BalloonMessage& m) { return m.kind == BalloonKind::kFullHour; });
  }
  if (waiting_.empty()) return nullptr;
  shown_ = std::move(waiting_.front());
  waiting_.pop_front();
  return &*shown_;
}

void BalloonQueue::Clear() {
  shown_.reset();
  waiting_.clear();
}
