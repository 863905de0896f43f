#pragma once
// Styling windowed controls, the steps the painter and its manager take:
// matching and wrapping controls when a painter attaches, passing the records
// on with the serving role, and giving controls their own look back. The
// styled controls themselves (kinds, records, painting) are control_styling/.
#include <vector>

namespace veilix {

class TComponent;
class TControlSubClass;
class TFlatMenu;
class TForm;
class TWinControl;

// The attaching step for a windowed control: wraps it when it is a kind the
// painter styles, in a kind of parent it styles, neither excluded by Tag.
// Deactivating leaves it wrapped.
void StyleWindowedControl(TFlatMenu& painter, TWinControl& control, bool activate, bool repaint);
// Whether attaching goes on inside the control: radio groups and navigators.
bool OpensForAttaching(const TFlatMenu& painter, const TComponent& component);

// The painter's records, in the order they were made.
std::vector<TControlSubClass*> ControlRecords(const TFlatMenu& painter);
// Moves the records of from to to, except those of controls inside
// leavingWindow; the controls then report to the new records.
void PassControlRecords(TFlatMenu& from, TFlatMenu& to, const TForm* leavingWindow);
// Gives the controls inside container that the serving painter styled their
// procedure and settings back, the last styled first; failures are swallowed.
void RestoreControls(TComponent* container);

}  // namespace veilix
