// Waits of the service protocols. Every wait the protocols state in milliseconds or seconds
// goes through here: scale() shortens them all at once (tests run a 100 s power-light wait in
// a fraction of a second), and every wait ends early when its worker is told to stop.
#ifndef VQTSERVICETIMING_H
#define VQTSERVICETIMING_H

#include <atomic>

namespace VQtServiceTiming {

// Process-wide factor for the stated waits; 1.0 in the program.
void setScale(double scale);
double scale();
// A stated wait in milliseconds, scaled; a nonzero wait stays at least 1 ms unless the
// scale is 0.
int ms(int statedMs);
// Sleeps `ms` (already scaled) in short steps; false when `running` was cleared meanwhile.
bool sleep(int ms, const std::atomic<bool>* running = nullptr);

} // namespace VQtServiceTiming

#endif // VQTSERVICETIMING_H
