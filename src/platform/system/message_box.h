#pragma once
// The modal failure box: a text, a caption, one OK button, the error icon.
#include <functional>
#include <string>

namespace veilix {

void ShowErrorMessageBox(const std::string& caption, const std::string& text);

// Replaces the real box (tests answer it themselves); an empty function restores it.
using MessageBoxHook = std::function<void(const std::string& caption, const std::string& text)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace veilix
