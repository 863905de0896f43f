#pragma once
// The screen's forms: every live form in creation order, the application's
// main form, and one observer told when a form comes and goes.
#include <functional>
#include <vector>

#include "platform/core/component.h"

namespace veilix {

class TForm;

const std::vector<TForm*>& ScreenForms();

// Set by the application object when it adopts its main form; none before,
// and none again once that form is gone.
TForm* MainForm();
void SetMainForm(TForm* form);

// opInsert once the form's TForm part is built, opRemove as it is destroyed.
// Forms belong to the application, so their owners' notifications do not
// reach components on other forms: this is how those hear of them.
using FormListObserver = std::function<void(TForm& form, TOperation operation)>;
void SetFormListObserver(FormListObserver observer);

// Kept by TForm's constructor and destructor.
void AddScreenForm(TForm& form);
void RemoveScreenForm(TForm& form);

}  // namespace veilix
