#include "System.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"
#include "Text850.hpp"

#include <cstdio>
#include <ctime>
#include <sys/utsname.h>
#include <unistd.h>

namespace rt {
namespace {

std::tm localNow()
{
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

ApplicationState &application()
{
    return state().application;
}

Text executablePath()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? fromSystemText({buf, static_cast<size_t>(n)}) : Text();
}

} // namespace

Value DATE()
{
    std::tm t = localNow();
    return Date{std::chrono::year{t.tm_year + 1900} / (t.tm_mon + 1) / t.tm_mday};
}

Value TIME()
{
    std::tm t = localNow();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return Text(buf);
}

Value VERSION(const Value &part, Where w)
{
    const int parts[] = {kVersionMajor, kVersionMinor, kVersionBuild};
    if (part.isNil())
        return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
    if (part.isNumber() && part.number() >= 1 && part.number() <= 3)
        return std::to_string(parts[static_cast<int>(part.number()) - 1]);
    return argumentError("VERSION", {part}, "", w);
}

Value OS()
{
    struct utsname u
    {
    };
    if (::uname(&u) != 0)
        return Text("unknown");
    return Text(u.sysname) + " " + u.release;
}

Value APPNAME(const Value &fullPath)
{
    Text path = executablePath();
    if (fullPath.isLogical() && fullPath.logical())
        return path;
    return path.substr(path.find_last_of('/') + 1);
}

Value TONE(const Value &frequency, const Value &duration, Where w)
{
    if (!frequency.isNumber() || !duration.isNumber() || frequency.number() < 0 ||
        duration.number() < 0)
        return argumentError("TONE", {frequency, duration}, NIL, w);
    if (::isatty(STDOUT_FILENO)) {
        std::fputc('\a', stdout);
        std::fflush(stdout);
    }
    return NIL;
}

Value APPTYPE()
{
    return static_cast<int>(application().type);
}

void setAppType(AppType type)
{
    application().type = type;
}

Value SETAPPWINDOW()
{
    return application().window;
}

Value ROOTCRT()
{
    static const Value crtClass = std::make_shared<ClassObject>("CrtWindow");
    return crtClass;
}

} // namespace rt
