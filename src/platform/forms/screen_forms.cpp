#include "platform/forms/screen_forms.h"

#include <algorithm>

namespace veilix {

namespace {
std::vector<TForm*>& Forms() {
    static std::vector<TForm*> forms;
    return forms;
}

TForm*& TheMainForm() {
    static TForm* form = nullptr;
    return form;
}

FormListObserver& Observer() {
    static FormListObserver observer;
    return observer;
}

void Tell(TForm& form, TOperation operation) {
    if (Observer()) Observer()(form, operation);
}
}  // namespace

const std::vector<TForm*>& ScreenForms() { return Forms(); }

TForm* MainForm() { return TheMainForm(); }
void SetMainForm(TForm* form) { TheMainForm() = form; }

void SetFormListObserver(FormListObserver observer) { Observer() = std::move(observer); }

void AddScreenForm(TForm& form) {
    Forms().push_back(&form);
    Tell(form, TOperation::opInsert);
}

void RemoveScreenForm(TForm& form) {
    std::erase(Forms(), &form);
    if (TheMainForm() == &form) TheMainForm() = nullptr;
    Tell(form, TOperation::opRemove);
}

}  // namespace veilix
