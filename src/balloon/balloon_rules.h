// What the balloon says and when it closes: the kinds of message, their
// buttons, the closing rules and the queue of messages waiting their turn.
#ifndef TAVELIN_BALLOON_BALLOON_RULES_H
#define TAVELIN_BALLOON_BALLOON_RULES_H

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

enum class BalloonKind { kAlarm, kTimer, kMissedAlarm, kFullHour };

enum class BalloonButton { kNone, kSnooze, kStop, kOk };

struct BalloonMessage {
  BalloonKind kind = BalloonKind::kTimer;
  std::wstring text;
  int snoozeMinutes = 0;      // the alarm's snooze, for its button
  bool stopsSound = false;    // the alarm's own loop plays while it rings
};

// How long the full hour's balloon stays, and how long an alarm rings at
// most before its sound stops (its balloon stays).
constexpr std::uint64_t kFullHourShownMs = 5000;
constexpr std::uint64_t kAlarmRingsAtMostMs = 10 * 60000;

// The buttons of a kind, left to right; up to two.
struct BalloonButtons {
  BalloonButton first = BalloonButton::kNone;
  BalloonButton second = BalloonButton::kNone;
  int count() const { return (first != BalloonButton::kNone) + (second != BalloonButton::kNone); }
};
BalloonButtons ButtonsOf(BalloonKind kind);

// What a click asks for.
struct BalloonAction {
  bool close = false;
  bool stopSound = false;
  bool snooze = false;
};

// A click on `button` (kNone: on the balloon outside any button). Only the
// buttons close a balloon that has them; the full hour's closes on any click.
BalloonAction ActionOfClick(BalloonKind kind, BalloonButton button);

// What time alone does to a balloon shown at `shownAt`, at `now`: the full
// hour's closes after kFullHourShownMs; an alarm's sound stops after
// kAlarmRingsAtMostMs (once: `soundStopped` says it was done).
struct BalloonTimeStep {
  bool close = false;
  bool stopSound = false;
  std::uint64_t nextCheck = UINT64_MAX;  // when to look again; UINT64_MAX: never
};
BalloonTimeStep StepBalloonTime(BalloonKind kind, std::uint64_t shownAt, std::uint64_t now, bool soundStopped);

// One balloon at a time: the rest wait. An alarm goes before every waiting
// message that is not an alarm; otherwise they follow in order. A full hour
// replaces one still waiting, and none is taken while the clock stands aside
// for a full-screen program.
class BalloonQueue {
 public:
  // Offers a message. Returns true when it is to be shown now (nothing else
  // was shown); otherwise it waits, or is dropped.
  bool Add(const BalloonMessage& message, bool standingAside);

  // The balloon shown, if any.
  const BalloonMessage* Shown() const { return shown_ ? &*shown_ : nullptr; }

  // The shown balloon closed: the next to show, if any, becomes the shown one.
  // Full hours waiting are dropped while the clock stands aside.
  const BalloonMessage* CloseShown(bool standingAside);

  std::size_t Waiting() const { return waiting_.size(); }
  void Clear();

 private:
  std::optional<BalloonMessage> shown_;
  std::deque<BalloonMessage> waiting_;
};

#endif
