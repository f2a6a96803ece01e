#include "sound.h"

#include "trig.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace demokit {

namespace {

using Track = std::vector<double>;

int Samples(double seconds) { return static_cast<int>(seconds * kSampleRate + 0.5); }

struct Partial {
  double ratio;     // of the note's frequency
  double level;
  double decay;     // seconds to fall to about 37 %
};

// Adds one struck note: a short smooth attack, then every partial dies away
// on its own time.
void Strike(Track& track, double start, double freq, double level,
            const std::vector<Partial>& partials, double attack) {
  const int first = Samples(start);
  const int attackLen = std::max(1, Samples(attack));
  for (const Partial& part : partials) {
    const double step = 1.0 - 1.0 / (part.decay * kSampleRate);
    double env = level * part.level;
    for (int n = first; n < static_cast<int>(track.size()); ++n) {
      const int i = n - first;
      double a = 1.0;
      if (i < attackLen) {
        const double s = SineTurns(0.25 * i / attackLen);
        a = s * s;
      }
      track[n] += a * env * SineTurns(freq * part.ratio * i / kSampleRate);
      env *= step;
    }
  }
}

// A beep with a smooth rise and fall, nothing outside [start, start+length).
void Beep(Track& track, double start, double length, double freq) {
  const int first = Samples(start), count = Samples(length), edge = Samples(0.012);
  for (int i = 0; i < count && first + i < static_cast<int>(track.size()); ++i) {
    double a = 1.0;
    const int fromEnd = count - 1 - i;
    if (i < edge || fromEnd < edge) {
      const double s = SineTurns(0.25 * std::min(i, fromEnd) / edge);
      a = s * s;
    }
    const double ph = freq * i / kSampleRate;
    track[first + i] += a * (0.8 * SineTurns(ph) + 0.15 * SineTurns(2 * ph) + 0.05 * SineTurns(3 * ph));
  }
}

// Fades the last seconds to silence so the sound ends without a click.
void FadeOut(Track& track, double seconds) {
  const int n = std::min(static_cast<int>(track.size()), Samples(seconds));
  for (int i = 0; i < n; ++i) {
    const double s = SineTurns(0.25 * i / n);
    track[track.size() - 1 - i] *= s * s;
  }
}

Bytes EncodeWav(const Track& track, double peak) {
  double top = 0.0;
  for (double v : track) top = std::max(top, std::fabs(v));
  const double gain = top > 0.0 ? peak * 32767.0 / top : 0.0;

  const std::uint32_t dataSize = static_cast<std::uint32_t>(track.size() * 2);
  Bytes out;
  PutText(out, "RIFF");
  Put32(out, 36 + dataSize);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutText(out, "data");
  Put32(out, dataSize);
  for (double v : track) {
    const double s = std::clamp(std::floor(v * gain + 0.5), -32767.0, 32767.0);
    Put16(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(s)) & 0xFFFF);
  }
  return out;
}

}  // namespace

Bytes MakeChimeWav() {
  Track track(Samples(1.6), 0.0);
  const std::vector<Partial> bell = {
      {1.0, 1.0, 0.55}, {2.0, 0.35, 0.25}, {3.0, 0.12, 0.15}, {4.07, 0.06, 0.08}};
  Strike(track, 0.00, 783.99, 0.8, bell, 0.006);   // G5
  Strike(track, 0.28, 659.26, 0.85, bell, 0.006);  // E5
  Strike(track, 0.56, 523.25, 1.0, bell, 0.006);   // C5
  FadeOut(track, 0.25);
  return EncodeWav(track, 0.6);
}

Bytes MakeTimerWav() {
  Track track(Samples(1.0), 0.0);
  const std::vector<Partial> ping = {{1.0, 1.0, 0.22}, {2.0, 0.2, 0.08}, {3.0, 0.05, 0.05}};
  Strike(track, 0.00, 987.77, 0.85, ping, 0.004);   // B5
  Strike(track, 0.14, 1318.51, 1.0, ping, 0.004);   // E6
  FadeOut(track, 0.2);
  return EncodeWav(track, 0.6);
}

Bytes MakeAlarmWav() {
  Track track(Samples(1.0), 0.0);
  for (double start : {0.02, 0.16, 0.50, 0.64}) Beep(track, start, 0.10, 1046.5);  // C6
  return EncodeWav(track, 0.5);
}

}  // namespace demokit
