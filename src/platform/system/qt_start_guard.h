#pragma once
// Qt ends the process with an abort (and a core dump) when its platform
// plugin cannot start. While a guard is between its construction and
// Started(), such an end prints one sentence instead and exits with code 1;
// Qt's other messages of that time are held back and shown once Qt has
// started, but for its notes on plugins it tried and passed over.
namespace veilix {

class QtStartGuard {
public:
    QtStartGuard();
    ~QtStartGuard();
    QtStartGuard(const QtStartGuard&) = delete;
    QtStartGuard& operator=(const QtStartGuard&) = delete;

    // Qt's application object exists: the usual message handling returns.
    void Started();

private:
    bool active_ = true;
};

}  // namespace veilix
