// The page buffer's own number formatting must print exactly what the C library's printf prints.
#include "out/page_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

namespace {

// What printf and the page buffer make of one value, for each literal template.
#define BOTH(format, value)                                  \
  [&] {                                                      \
    char text[512];                                          \
    std::snprintf(text, sizeof text, format, value);         \
    PageBuffer page;                                         \
    page.formatf(format, value);                             \
    return std::make_pair(std::string(text), std::string(page.view())); \
  }()

TEST(PageBuffer, NumbersAsPrintfPrintsThem) {
  // Halves that round either way in binary, negative zero and small negatives, huge values.
  const double doubles[] = {0.0,    -0.0,   0.005,  0.015,  0.125,   0.375,   1.005,  2.675,
                            -0.001, -0.005, 99.995, 100.0 / 3, 66.665, 1e300, -1e300, 123456789.125,
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::denorm_min()};
  for (double v : doubles) {
    for (const auto& [expected, actual] : {BOTH("%0.2f", v), BOTH("%.2f", v)}) {
      EXPECT_EQ(expected, actual) << v;
    }
  }
  const int ints[] = {0, 1, -1, 5, -5, 9, 10, 99, 100, -100, 123456, INT_MAX, INT_MIN};
  for (int v : ints) {
    for (const auto& [expected, actual] : {BOTH("%d", v), BOTH("%.2d", v)}) {
      EXPECT_EQ(expected, actual) << v;
    }
  }
}

}  // namespace
