// The panel's clock: one panel cycle a tick, 18 ticks a simulated second, as
// the host runs its panel. The simulated aircraft counts the ticks; the
// bench's sound device plays by them.
#ifndef BENCH_PANEL_CLOCK_H
#define BENCH_PANEL_CLOCK_H

namespace bench {

constexpr int TICKS_PER_SECOND = 18;

}  // namespace bench

#endif
