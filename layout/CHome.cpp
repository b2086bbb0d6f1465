#include "layout/CHome.h"

#include "layout/CLift.h"

std::unique_ptr<CLiftB> CHome::CreateLift()
{
    return std::make_unique<CLift>(this);
}
