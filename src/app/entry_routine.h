#pragma once
// The program's start-up, from the title to the end of the loop.

namespace veilix {

// The program's start-up: title, the stencil window, the template holder, the
// loop. Failures during start-up are shown; the result is always 0.
int EntryRoutine();

}  // namespace veilix
