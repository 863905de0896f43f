#pragma once
// The program's icon: drawn from the icon's design and handed to the window
// system once, after the sheet's first frame.
#include <vector>

#include "platform/system/application_identity.h"

namespace veilix {

// The program icon at each of its sizes, drawn from the icon's design (the
// same that the installed icon files are written from).
std::vector<TIconImage> ProgramIcon();

// Gives the program's windows its icon, once. Drawing it and handing all its
// sizes to the window system costs more than the rest of showing the sheet,
// so it comes after the sheet's first frame, and at the latest before any
// message box.
void ShowProgramIcon();

}  // namespace veilix
