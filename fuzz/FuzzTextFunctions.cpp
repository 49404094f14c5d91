// Fuzzes the runtime functions that take arbitrary values: VAR2CHAR, W2BIN, STR, PADL, STRTRAN.
// Whatever they are handed, they return or raise; the installed callback takes the default where
// the error allows one and substitutes otherwise, as a handler might.

#include "Runtime.hpp"
#include "ValueFromBytes.hpp"

#include <cstdlib>

namespace {

void installTolerantHandler()
{
    rt::ERRORBLOCK(rt::block([](rt::Args &args) -> rt::Value {
        auto *e = dynamic_cast<rt::ErrorObject *>(args.at(0).object().get());
        if (!e)
            std::abort();
        return e->canDefault == rt::Value(true) ? rt::Value(false) : rt::Value(0);
    }));
}

// Every text function must give a text (or its substitute 0) back.
void expectText(const rt::Value &v)
{
    if (!v.isText() && !(v.isNumber() && v.number() == 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    installTolerantHandler();
    fuzz::ByteReader in(data, size);
    const rt::Value a = in.value(), b = in.value(), c = in.value();
    expectText(rt::VAR2CHAR(a));
    rt::Value bytes = rt::W2BIN(a);
    if (bytes.isText() && bytes.text().size() != 2)
        std::abort();
    expectText(rt::STR(a, b, c));
    expectText(rt::PADL(a, b, c));
    expectText(rt::STRTRAN(a, b, c));
    return 0;
}
