#pragma once
// A form that can be built the way a stored description builds it: what it
// owns is made between BeginLoading and EndLoading, and is told it is loaded
// at the end.
#include "platform/core/component.h"
#include "platform/forms/form.h"

namespace veilix::testing {

class LoadingForm : public TForm {
public:
    explicit LoadingForm(TComponent* owner = nullptr) : TForm(owner) {}
    void BeginLoading() { SetLoading(true); }
};

}  // namespace veilix::testing
