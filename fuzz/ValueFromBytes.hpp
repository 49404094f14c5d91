#pragma once
// Builds arbitrary runtime values from fuzzer input: every kind, nested arrays, texts with any
// bytes, numbers from the whole double range (never NaN or infinity, which the runtime cannot
// hold).

#include "Value.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

class ByteReader
{
public:
    ByteReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    // Arrays hold their elements by shared reference, so an array that holds itself is a cycle;
    // the reader breaks the cycles it made when it goes.
    ~ByteReader();

    bool empty() const { return m_pos >= m_size; }
    std::uint8_t byte();
    double number();
    rt::Text text();
    rt::Value value(int depth = 0);

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::vector<rt::ArrayRef> m_cycles;
};

} // namespace fuzz
