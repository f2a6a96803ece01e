// Sine and cosine of a fraction of a full turn, computed from plain
// arithmetic so every host gives the same bits.
#ifndef TAVELIN_DEMOKIT_TRIG_H
#define TAVELIN_DEMOKIT_TRIG_H

namespace demokit {

double SineTurns(double turns);
inline double CosineTurns(double turns) { return SineTurns(turns + 0.25); }

}  // namespace demokit

#endif
