#include "tests/support/Printing.h"

void PrintTo(const Rect &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

void PrintTo(const Size &s, std::ostream *os)
{
    *os << '(' << s.cx << ", " << s.cy << ')';
}
