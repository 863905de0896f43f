#include "app/entry_routine.h"

#include "app/application.h"
#include "app/failure_text.h"
#include "stencil/stencil_form.h"
#include "templates/template_holder.h"

namespace veilix {

int EntryRoutine() {
    try {
        Application->Initialize();
        Application->MainFormOnTaskBar = true;
        Application->Title = "Veilix";
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->Run();
    } catch (...) {
        Application->ShowException(StartupFailure(std::current_exception()));
    }
    return 0;
}

}  // namespace veilix
