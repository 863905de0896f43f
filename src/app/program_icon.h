#pragma once
#include "platform/bitmap.h"

namespace veilix {

// The program icon: a black card with a lime opening.
TBitmap ProgramIcon();

}  // namespace veilix
