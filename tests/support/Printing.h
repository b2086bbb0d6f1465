#pragma once

#include "tests/support/QtPrinting.h"

#include "model/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Rectangles and sizes print as their numbers in failure messages.
void PrintTo(const Rect &r, std::ostream *os);
void PrintTo(const Size &s, std::ostream *os);

// Names parameterised cases after their `name` member (CTest shows it in
// the test's name).
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}
