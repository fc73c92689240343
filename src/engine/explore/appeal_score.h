#pragma once

namespace zephyrin {

// How appealing a picture of an attractor is likely to be, from 0 to 1,
// higher is better. Built on Sprott's rating of thousands of attractors of
// plane maps (Computers & Graphics 17:325, 1993): the favourites had small
// positive Lyapunov exponents and correlation dimensions a little above one,
// about 1.1 to 1.5. The score is a product of three factors, each from 0
// to 1:
//
//   dimension   exp(-(d / 0.3)^2), d the distance of D2 from [1.1, 1.5]
//               (1 inside it; 0.33 at D2 0.785 or 1.815; 0 for NaN);
//   coverage    sqrt(min(coverage / 0.2, 1)): a picture lighting a fifth of
//               its view or more loses nothing, a thin one loses much;
//   Lyapunov    (only where `byLyapunov`) 0.5 + 5 L on [-0.1, 0.1] (0 below
//               -0.1, 0.5 for a quasi-periodic orbit at L = 0), 1 from 0.1 to
//               0.4, then exp(-((L - 0.4) / 0.4)^2) (0.37 at L = 0.8); 0 for
//               NaN. L in natural log per iteration.
//
// Sprott's L criterion is for smooth maps: the IFS formulas (the top
// exponent of a random product) and the formulas that restart at random
// every 1000 iterations are scored without it.
double AppealScore(double lyapunov, double dimension, double coverage, bool byLyapunov);

}  // namespace zephyrin
