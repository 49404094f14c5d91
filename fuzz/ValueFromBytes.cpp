#include "ValueFromBytes.hpp"

#include "ErrorObject.hpp"

#include <cmath>
#include <cstring>

namespace fuzz {

ByteReader::~ByteReader()
{
    for (const rt::ArrayRef &a : m_cycles)
        a->clear();
}

std::uint8_t ByteReader::byte()
{
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

double ByteReader::number()
{
    switch (byte() % 4) {
    case 0:
        return static_cast<double>(static_cast<std::int8_t>(byte()));
    case 1:
        return static_cast<double>(byte() | (byte() << 8)); // around the 16-bit range
    case 2: {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return std::isfinite(d) ? d : 0.0;
    }
    default:
        return static_cast<double>(byte()) / 8.0 - 16.0; // small fractions, negatives
    }
}

rt::Text ByteReader::text()
{
    std::size_t length = byte() % 24;
    rt::Text t;
    for (std::size_t i = 0; i < length && !empty(); ++i)
        t += static_cast<char>(byte());
    return t;
}

rt::Value ByteReader::value(int depth)
{
    switch (byte() % 8) {
    case 0:
        return rt::NIL;
    case 1:
        return number();
    case 2:
        return (byte() & 1) != 0;
    case 3:
        return text();
    case 4:
        return rt::Date{std::chrono::days{static_cast<int>(byte() | (byte() << 8)) * 7}};
    case 5: {
        auto array = rt::newArray();
        std::size_t count = depth < 3 ? byte() % 5 : 0;
        for (std::size_t i = 0; i < count; ++i)
            array->push_back(value(depth + 1));
        if (byte() == 0xA5) {
            array->push_back(array); // an array that holds itself
            m_cycles.push_back(array);
        }
        return array;
    }
    case 6:
        return std::make_shared<rt::ErrorObject>();
    default:
        return rt::block([](rt::Args &) { return rt::NIL; });
    }
}

} // namespace fuzz
