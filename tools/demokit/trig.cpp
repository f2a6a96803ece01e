#include "trig.h"

#include <cmath>

namespace demokit {

double SineTurns(double turns) {
  double t = turns - std::floor(turns);
  if (t >= 0.5) t -= 1.0;
  if (t > 0.25) {
    t = 0.5 - t;
  } else if (t < -0.25) {
    t = -0.5 - t;
  }
  const double x = 6.283185307179586 * t;
  const double x2 = x * x;
  // Taylor series to x^15; |x| <= pi/2 keeps the error below 1e-11.
  double term = x, sum = x;
  for (int k = 1; k <= 7; ++k) {
    term *= -x2 / ((2.0 * k) * (2.0 * k + 1.0));
    sum += term;
  }
  return sum;
}

}  // namespace demokit
