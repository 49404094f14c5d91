// Fuzzes the error system's readers of error objects: ERRORMESSAGE and ERRORLOG get an error object
// whose fifteen members hold arbitrary values of every kind. Both must return (the log writer's
// report goes to a recording dialog), the message must start with its first word, and the log file
// must keep its frame.

#include "ErrorSystem.hpp"
#include "Runtime.hpp"
#include "Seams.hpp"
#include "ValueFromBytes.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

void prepareOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    char dir[] = "/tmp/tarvello-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0)
        std::abort();
    rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
    rt::setAppType(rt::AppType::Graphical);
    rt::SET(17, false); // keep the fuzzer's output quiet
}

bool startsWith(const rt::Text &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    prepareOnce();
    fuzz::ByteReader in(data, size);
    auto error = std::make_shared<rt::ErrorObject>();
    for (std::string_view name : rt::ErrorObject::memberNames())
        *error->member(name) = in.value();
    rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
    rt::ERRORBLOCK(rt::block([](rt::Args &) -> rt::Value { return false; }));

    rt::Value message = ERRORMESSAGE(error);
    if (!message.isText() ||
        !(startsWith(message.text(), "Fehler ") || startsWith(message.text(), "Warnung ")))
        std::abort();

    ERRORLOG(error, 2);
    std::ifstream log("MRVERROR.LOG", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(log), {}};
    if (!startsWith(text, "\r\n------") || text.find("\r\nCALLSTACK:") == std::string::npos ||
        text.substr(text.size() - 2) != "\r\n")
        std::abort();
    return 0;
}
