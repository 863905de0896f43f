#pragma once
#include <vector>

#include "platform/application_identity.h"

namespace veilix {

// The program icon at each of its sizes, drawn from the icon's design (the
// same that the installed icon files are written from).
std::vector<TIconImage> ProgramIcon();

}  // namespace veilix
