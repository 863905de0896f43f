#pragma once
// Unit tests that build windows need Qt's application object, but no display:
// they run on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

namespace veilix::testing {

inline QApplication*& OwnedQtApplication() {
    static QApplication* application = nullptr;
    return application;
}

// The application object ends when the tests do, not in the exit handlers:
// there it would run after Qt's own font caches are gone.
class QtApplicationTearDown : public ::testing::Environment {
public:
    void TearDown() override {
        delete OwnedQtApplication();
        OwnedQtApplication() = nullptr;
    }
};
inline ::testing::Environment* const kQtApplicationTearDown =
    ::testing::AddGlobalTestEnvironment(new QtApplicationTearDown);

inline void EnsureQtApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veilix_unit_tests";
    static char* argv[] = {name, nullptr};
    OwnedQtApplication() = new QApplication(argc, argv);
}

}  // namespace veilix::testing
