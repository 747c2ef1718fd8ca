#pragma once
// Worker threads for the computations a window runs in the background. They
// use every core at the lowest scheduling priority, so that the message loop
// gets a processor as soon as it has an event to handle, however long a
// computation runs. What they compute
// does not depend on either: the engine's results are the same for any
// number of workers.

#include <memory>

#include "sim/PowerPool.h"

namespace halvorn {

// One worker per core (at least one), each at the lowest priority. Where the
// system refuses the lower priority, the workers run at the normal one.
std::unique_ptr<TPowerPool> MakeBackgroundPool();

}  // namespace halvorn
