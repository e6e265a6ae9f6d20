// The POSIX backend's failures in the Windows numbering the core expects.
#pragma once

#include "platform/platform.h"

namespace menue {

// The Windows error code that stands for an errno value (1 for any other).
PlatformCode platformCodeFromErrno(int error);

// errno of the last failed call, mapped.
PlatformCode lastErrorCode();

}  // namespace menue
