#include "SessionEnding.hpp"

#include <utility>

namespace rt {
namespace {

bool &ending()
{
    static bool flag = false;
    return flag;
}

} // namespace

bool sessionEnding()
{
    return ending();
}

bool beginSessionEnd()
{
    return !std::exchange(ending(), true);
}

void resetSessionEnd()
{
    ending() = false;
}

} // namespace rt
