#pragma once
// Unit tests that build windows need Qt's application object, but no display:
// they run on the offscreen platform.
#include <QApplication>

namespace veilix::testing {

inline void EnsureQtApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veilix_unit_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

}  // namespace veilix::testing
