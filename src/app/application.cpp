#include "app/application.h"

#include "app/build_info.h"
#include "app/failure_text.h"
#include "app/program_icon.h"
#include "platform/core/exception.h"
#include "platform/core/failure_boundary.h"
#include "platform/forms/screen_forms.h"
#include "platform/messages/event_loop.h"
#include "platform/system/message_box.h"
#include "platform/system/show_command.h"
#include "platform/system/termination_signals.h"

namespace veilix {

TApplication* Application = nullptr;

namespace {
constexpr int kIconAtTheLatestMs = 500;
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    Title = "veilix";
    SetFailureHandler([this](std::exception_ptr failure, TComponent* sender) { HandleException(failure, sender); });
    TForm::SetMainFormCloseHandler([this](TForm& form) {
        if (&form != mainForm_) return false;
        Terminate();
        return true;
    });
    SetDesktopId(kDesktopId);
}

TApplication::~TApplication() {
    DestroyComponents();
    TForm::SetMainFormCloseHandler(nullptr);
    SetFailureHandler(nullptr);
}

void TApplication::Initialize() {
    // Log-off, SIGTERM, SIGINT, SIGHUP: leave the loop at once; the shutdown
    // then runs as after a close.
    OnSessionEnd([] { ExitEventLoopsNow(0); });
}

void TApplication::AdoptMainForm(TForm* form) {
    mainForm_ = form;
    SetMainForm(form);
}

void TApplication::Run() {
    if (!mainForm_) return;
    const TStartState state = StartStateForShowCommand(StartupShowCommand());
    mainForm_->Show(state);
    // A sheet that starts minimized shows no frame; its icon is all the
    // desktop shows of it. Otherwise the icon follows the first frame, or
    // comes after a while where the window system never asks for one.
    if (state == TStartState::ssMinimized)
        ShowProgramIcon();
    else
        mainForm_->AfterFirstFrame(ShowProgramIcon, kIconAtTheLatestMs);
    RunEventLoop();
}

void TApplication::Terminate() { PostQuit(0); }

void TApplication::HandleException(std::exception_ptr failure, TComponent*) {
    TForm::CancelModeOfAllForms();
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        return;
    } catch (...) {
    }
    ShowException(failure);
}

void TApplication::ShowException(std::exception_ptr failure) {
    std::string text;
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        text = FailureDisplayText(e);
    } catch (...) {
    }
    ShowProgramIcon();
    ShowErrorMessageBox(Title, text);
}

}  // namespace veilix
