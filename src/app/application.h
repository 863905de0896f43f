#pragma once
// TApplication: the single application object. It owns the windows, runs the
// event loop, shows failures that escape handlers and tears everything down in
// a fixed order.
#include <exception>
#include <new>
#include <string>
#include <type_traits>

#include "platform/core/component.h"
#include "platform/forms/form.h"

namespace veilix {

class TApplication : public TComponent {
public:
    TApplication();
    // The shutdown: owned windows destroyed, the last created first.
    ~TApplication() override;

    void Initialize();
    bool MainFormOnTaskBar = false;
    std::string Title;
    TForm* MainForm() const { return mainForm_; }

    // Allocates the window, stores it in reference before its construction
    // begins, and resets reference if the construction fails.
    template <typename T>
    void CreateForm(T*& reference);

    void Run();
    void Terminate();
    void HandleException(std::exception_ptr failure, TComponent* sender);
    void ShowException(std::exception_ptr failure);

private:
    void AdoptMainForm(TForm* form);

    TForm* mainForm_ = nullptr;
};

extern TApplication* Application;

template <typename T>
void TApplication::CreateForm(T*& reference) {
    static_assert(std::is_base_of_v<TForm, T>);
    void* memory = ::operator new(sizeof(T));
    reference = static_cast<T*>(memory);
    try {
        new (memory) T(this);
    } catch (...) {
        reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    reference->AfterConstruction();
    if (!mainForm_) AdoptMainForm(reference);
}

}  // namespace veilix
