#include "app/failure_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>

#include "platform/core/exception.h"

namespace veilix {
namespace {

struct TextCase {
    const char* message;
    const char* shown;
};

class FailureTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FailureTextTest, AppendsFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(FailureDisplayText(Exception(GetParam().message)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Endings, FailureTextTest,
                         ::testing::Values(TextCase{"Mémoire insuffisante", "Mémoire insuffisante."},
                                           TextCase{"Done.", "Done."}, TextCase{"Stop!", "Stop!"},
                                           TextCase{"(see above)", "(see above)"},
                                           TextCase{"trailing space ", "trailing space "},
                                           TextCase{"line break\n", "line break\n"}, TextCase{"Really?", "Really?."},
                                           TextCase{"Reason:", "Reason:."}, TextCase{"comma,", "comma,"},
                                           TextCase{"dash-", "dash-"}, TextCase{"slash/", "slash/."},
                                           TextCase{"digit 7", "digit 7."}, TextCase{"", ""}, TextCase{"é", "é."}));

TEST(FailureText, InnermostNonEmptyMessageWins) {
    auto innermost = std::make_shared<Exception>("disk gone");
    auto middle = std::make_shared<Exception>("middle", innermost);
    EXPECT_EQ(FailureDisplayText(Exception("outer", middle)), "disk gone.");

    auto emptyInner = std::make_shared<Exception>("");
    EXPECT_EQ(FailureDisplayText(Exception("outer", emptyInner)), "outer.");
    EXPECT_EQ(FailureDisplayText(Exception("", emptyInner)), "");
}

TEST(FailureText, OutOfMemoryHasTheFrameworkMessage) {
    EXPECT_EQ(FailureDisplayText(EOutOfMemory()), "Mémoire insuffisante.");
}

std::string ShownAtStartup(std::exception_ptr failure) {
    try {
        std::rethrow_exception(StartupFailure(failure));
    } catch (const Exception& e) {
        return FailureDisplayText(e);
    }
}

TEST(FailureText, StartupGuardTurnsForeignFailuresIntoFrameworkOnes) {
    EXPECT_EQ(ShownAtStartup(std::make_exception_ptr(Exception("no window"))), "no window.");
    EXPECT_EQ(ShownAtStartup(std::make_exception_ptr(std::bad_alloc())), "Mémoire insuffisante.");
    EXPECT_EQ(ShownAtStartup(std::make_exception_ptr(std::runtime_error("x"))), "");
    EXPECT_EQ(ShownAtStartup(std::make_exception_ptr(42)), "");
}

TEST(FailureText, HandlerFailuresKeepTheirKind) {
    // What escapes a handler reaches the display as an Exception; EAbort stays
    // recognisable so it can be dropped silently.
    EXPECT_THROW(std::rethrow_exception(AsFrameworkFailure(std::make_exception_ptr(EAbort()))), EAbort);
    EXPECT_THROW(std::rethrow_exception(AsFrameworkFailure(std::make_exception_ptr(std::bad_alloc()))), EOutOfMemory);
    try {
        std::rethrow_exception(AsFrameworkFailure(std::make_exception_ptr(std::runtime_error("boom"))));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Exception externe boom");
    }
}

}  // namespace
}  // namespace veilix
