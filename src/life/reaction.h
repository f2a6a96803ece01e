// The living figure's reaction rule: from the figure's state, what happened
// and the time, the pose it shows, the motion it starts and when the rule
// wants to be asked again. The window code only reports and carries out.
#ifndef TAVELIN_LIFE_REACTION_H
#define TAVELIN_LIFE_REACTION_H

#include <cstdint>

enum class Pose { kRest, kBlink, kSleep, kJoy, kTalk };
enum class Motion { kNone, kHop, kShake };

enum class Happening {
  kTimer,      // the time the rule asked for has come
  kClick,      // a left click released without a drag
  kFullHour,   // the hourly check saw a new hour
  kInput,      // keyboard or mouse input after a time away
  kAway,       // no input for a while, or the chime's quiet hours
  kRingStart,  // a time event's sound or message begins
  kRingEnd,    // and ends
  kPauses,     // the reasons to draw nothing changed (LifeState::pauses)
};

// Reasons the figure is not drawn; while any holds, only a ringing shows.
enum LifePause : unsigned {
  kPauseHidden = 1u << 0,        // stepped back behind other windows
  kPauseAside = 1u << 1,         // out of a full-screen program's way
  kPauseLocked = 1u << 2,        // the session is locked
  kPauseDisplayOff = 1u << 3,    // the display is off
  kPauseBatterySaver = 1u << 4,  // the system saves its battery
};

constexpr std::uint64_t kLifeNever = UINT64_MAX;

// Times in milliseconds.
constexpr int kBlinkMs = 150;
constexpr int kBlinkGapMs = 120;        // between the two closes of a double blink
constexpr int kBlinkEveryMinMs = 2000;  // from one blink to the next, at random
constexpr int kBlinkEveryMaxMs = 8000;
constexpr int kJoyMs = 800;
constexpr int kTalkMs = 250;            // the mouth opens and closes about four times a second
constexpr int kShakeEveryMs = 5000;
constexpr int kAwayAfterMs = 5 * 60 * 1000;

struct LifeState {
  bool asleep = false;
  int ringing = 0;      // rings under way (an alarm's box may open inside a timer's)
  unsigned pauses = 0;  // LifePause bits
  Pose pose = Pose::kRest;
  int closesLeft = 0;                 // closes of the eyes still to come in this blink (2 for a double)
  std::uint64_t poseUntil = 0;        // when a blink, joy or talk phase ends
  std::uint64_t nextBlink = kLifeNever;
  std::uint64_t nextShake = kLifeNever;
};

struct LifeAnswer {
  Pose pose;          // what the figure shows now
  Motion motion;      // a motion to start now, if any
  std::uint64_t nextAt;  // when to report kTimer; kLifeNever: not until something happens
};

// Steps `state` by what happened at `now`. `random` (0 to 32767, the
// program's generator) is read only when a blink is planned; `pauses` only
// for kPauses.
LifeAnswer React(LifeState* state, Happening what, std::uint64_t now, int random, unsigned pauses = 0);

// Whether the figure counts as away: idle at least kAwayAfterMs, or in quiet hours.
bool IsAway(std::uint64_t idleMs, bool quietHour);

#endif
