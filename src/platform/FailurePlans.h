// Which calls a test has asked to fail, whichever backend makes them: the bookkeeping alone.
#pragma once
#include "platform/Testing.h"

namespace platform::detail {

// True when this call of that kind is to fail; it then counts as one of the planned failures.
bool TakeInjectedFailure(testing::Failure call);
void ForgetInjectedFailures();

}  // namespace platform::detail
