// Runs the unit tests; with SPIREX_TEST_LOCALE set, under that locale, taken as the program takes
// its environment's (Qt sets the C locale at start), to show that a locale whose decimal separator
// is the comma changes no reading and no result. Exits with 77, which the test runner counts as
// skipped, where the locale is missing.
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const char* locale = std::getenv("SPIREX_TEST_LOCALE");
    if (locale != nullptr && std::setlocale(LC_ALL, locale) == nullptr) {
        return 77;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
