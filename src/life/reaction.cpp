#include "life/reaction.h"

#include <algorithm>

namespace {

std::uint64_t NextBlinkAfter(std::uint64_t now, int random) {
  const int span = kBlinkEveryMaxMs - kBlinkEveryMinMs + 1;
  return now + kBlinkEveryMinMs + static_cast<unsigned>(random) % span;
}

// A double blink now and then: one close in eight is followed by another.
bool WantsSecondBlink(int random) { return (random & 7) == 0; }

void StartBlink(LifeState* state, std::uint64_t now) {
  state->pose = Pose::kBlink;
  state->poseUntil = now + kBlinkMs;
}

// The pose the figure rests in: asleep or awake.
Pose RestingPose(const LifeState& state) { return state.asleep ? Pose::kSleep : Pose::kRest; }

void Settle(LifeState* state, std::uint64_t now, int random) {
  state->pose = RestingPose(*state);
  state->closesLeft = 0;
  state->nextBlink = state->asleep || state->pauses != 0 ? kLifeNever : NextBlinkAfter(now, random);
}

Motion Ring(LifeState* state, Happening what, std::uint64_t now) {
  if (what == Happening::kRingStart && state->ringing == 1) {
    state->asleep = false;  // an event wakes the figure
    state->pose = Pose::kTalk;
    state->poseUntil = now + kTalkMs;
    state->nextShake = now + kShakeEveryMs;
    return Motion::kShake;
  }
  if (what != Happening::kTimer) return Motion::kNone;
  if (now >= state->poseUntil) {
    state->pose = state->pose == Pose::kTalk ? Pose::kRest : Pose::kTalk;
    state->poseUntil = now + kTalkMs;
  }
  if (now >= state->nextShake) {
    state->nextShake = now + kShakeEveryMs;
    return Motion::kShake;
  }
  return Motion::kNone;
}

Motion Awake(LifeState* state, Happening what, std::uint64_t now, int random) {
  switch (what) {
    case Happening::kTimer:
      if (state->pose == Pose::kRest && now >= state->nextBlink) {
        if (state->closesLeft == 0) state->closesLeft = WantsSecondBlink(random) ? 2 : 1;
        --state->closesLeft;
        StartBlink(state, now);
      } else if (state->pose != Pose::kRest && now >= state->poseUntil) {
        state->pose = Pose::kRest;
        state->nextBlink = state->closesLeft > 0 ? now + kBlinkGapMs : NextBlinkAfter(now, random);
      }
      return Motion::kNone;
    case Happening::kClick:
      state->pose = Pose::kJoy;
      state->poseUntil = now + kJoyMs;
      state->closesLeft = 0;
      return Motion::kHop;
    case Happening::kFullHour:
      return Motion::kHop;
    case Happening::kAway:
      state->asleep = true;
      Settle(state, now, random);
      return Motion::kNone;
    default:
      return Motion::kNone;
  }
}

Motion Asleep(LifeState* state, Happening what, std::uint64_t now) {
  if (what == Happening::kInput || what == Happening::kClick) {
    state->asleep = false;  // woken with a blink; the click makes no hop
    StartBlink(state, now);
    state->closesLeft = 0;
  }
  return Motion::kNone;
}

std::uint64_t NextAt(const LifeState& state) {
  if (state.ringing > 0) return std::min(state.poseUntil, state.nextShake);
  if (state.pauses != 0) return kLifeNever;
  if (state.pose == Pose::kBlink || state.pose == Pose::kJoy) return state.poseUntil;
  if (state.asleep) return kLifeNever;
  return state.nextBlink;
}

}  // namespace

LifeAnswer React(LifeState* state, Happening what, std::uint64_t now, int random, unsigned pauses) {
  Motion motion = Motion::kNone;
  if (what == Happening::kRingStart) ++state->ringing;
  if (what == Happening::kRingEnd && state->ringing > 0) {
    if (--state->ringing == 0) Settle(state, now, random);
  } else if (what == Happening::kPauses) {
    const bool wasPaused = state->pauses != 0;
    state->pauses = pauses;
    // A pause or its end leaves the figure at rest; a ringing goes on.
    if (state->ringing == 0 && wasPaused != (pauses != 0)) Settle(state, now, random);
  } else if (state->ringing > 0) {
    motion = Ring(state, what, now);
  } else if (state->pauses != 0) {
    // Nothing shows; the figure only keeps track of whether it is away.
    if (what == Happening::kAway) state->asleep = true;
    if (what == Happening::kInput) state->asleep = false;
    state->pose = RestingPose(*state);
  } else if (state->asleep) {
    motion = Asleep(state, what, now);
  } else {
    motion = Awake(state, what, now, random);
  }
  return {state->pose, motion, NextAt(*state)};
}

bool IsAway(std::uint64_t idleMs, bool quietHour) { return quietHour || idleMs >= kAwayAfterMs; }
