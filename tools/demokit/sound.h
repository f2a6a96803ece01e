// The three sounds of the kit, synthesised: 16-bit mono PCM WAV files.
#ifndef TAVELIN_DEMOKIT_SOUND_H
#define TAVELIN_DEMOKIT_SOUND_H

#include "bytes.h"

namespace demokit {

constexpr int kSampleRate = 22050;

// A three-note descending chime for the full hour, about 1.6 s.
Bytes MakeChimeWav();
// A bright two-tone ping for the countdown, about 1 s.
Bytes MakeTimerWav();
// Two pairs of beeps in exactly one second, silent at both ends so that it
// loops without a seam.
Bytes MakeAlarmWav();

}  // namespace demokit

#endif
