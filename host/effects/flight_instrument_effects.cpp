// Key events of the flight instruments. (None of the instruments built so far
// sends one; the altimeter and attitude indicator add theirs here.)
#include "effects/key_event_effects.hpp"

namespace panelhost {

void add_flight_instrument_effects(KeyEventEffects&) {}

} // namespace panelhost
