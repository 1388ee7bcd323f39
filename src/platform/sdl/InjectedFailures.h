// The one place the platform asks whether a test has made a call fail.
#pragma once
#include <cstddef>

#include "platform/FailurePlans.h"
#include "platform/Testing.h"

namespace platform::detail {

// True when this call is to fail; SDL's error then says a test refused it, so that the message
// reported is the one the desktop's own refusal would give, with another reason.
bool Refused(testing::Failure call);
std::size_t OpenFontCount();

}  // namespace platform::detail
