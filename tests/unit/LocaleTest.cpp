// The full stop stays the only decimal separator when the process runs under a locale whose
// separator is the comma.
#include "calculator/Calculator.h"
#include "calculator/ParseLeadingNumber.h"
#include "support/FakeControls.h"

#include <clocale>
#include <gtest/gtest.h>
#include <locale>

namespace spirex {
namespace {

TEST(CommaDecimalLocale, ChangesNoReading) {
#ifdef _WIN32
    ASSERT_NE(std::setlocale(LC_ALL, "Italian_Italy.1252"), nullptr);
#else
    ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr)
        << "the it_IT.UTF-8 locale is not installed (scripts/bootstrap.sh installs it)";
    std::locale::global(std::locale("it_IT.UTF-8"));
#endif
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));

    EXPECT_EQ(ParseLeadingNumber("2.5"), 2.5);
    EXPECT_EQ(ParseLeadingNumber("2,5"), 2.0);
    EXPECT_EQ(ParseLeadingNumber("1.5e3"), 1500.0);

    CalcState state;
    testing::FakeControls window;
    window.list = "T12.1";
    SelectCore(state, window);
    window.input = "6.75";
    CalculateTurns(state, window);
    EXPECT_EQ(window.Text(Caption::Label1), "38");
    window.input = "20000.5"; // and no thousands separator in the result
    CalculateTurns(state, window);
    EXPECT_EQ(window.Text(Caption::Label1), "2041");

#ifndef _WIN32
    std::locale::global(std::locale::classic());
#endif
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace spirex
