#pragma once
// The one dynamic value of the system: NIL, number, logical, text, date, array, object or callback.
// Arrays, objects and callbacks are held by shared reference, so a callback that captured an array
// sees elements appended later. This header knows nothing of errors: operations that can fail on a
// value of the wrong kind live in the runtime's function headers and raise through ErrorRouting.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <source_location>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rt {

class Value;
class Object;

// Texts are byte strings in OEM code page 850; see Text850.hpp for literals with umlauts.
using Text = std::string;
using Array = std::vector<Value>;
using ArrayRef = std::shared_ptr<Array>;
using ObjectRef = std::shared_ptr<Object>;
using Args = std::vector<Value>;
using Date = std::chrono::sys_days;

// A callback ("code block"): a function of the system with the name it carries on the call stack,
// "(B)" + defining procedure + "@" + four digits.
struct Block
{
    std::string name;
    std::function<Value(Args &)> body;
};
using BlockRef = std::shared_ptr<Block>;

// One entry per kind; the order is the order of the variant below.
enum class Kind
{
    Nil,     // no value; VALTYPE "U"
    Number,  // a double, always finite; VALTYPE "N"
    Logical, // VALTYPE "L"
    Text,    // VALTYPE "C"
    Date,    // VALTYPE "D"
    Array,   // VALTYPE "A"
    Object,  // VALTYPE "O"
    Block,   // VALTYPE "B"
};

class Value
{
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(double n) : m_v(n) {}
    Value(int n) : m_v(static_cast<double>(n)) {}
    Value(long n) : m_v(static_cast<double>(n)) {}
    Value(long long n) : m_v(static_cast<double>(n)) {}
    Value(unsigned n) : m_v(static_cast<double>(n)) {}
    Value(bool b) : m_v(b) {}
    Value(Text t) : m_v(std::move(t)) {}
    Value(const char *t) : m_v(Text(t)) {}
    Value(Date d) : m_v(d) {}
    // A null reference is NIL, so a held array, object or callback is never null.
    Value(ArrayRef a)
    {
        if (a)
            m_v = std::move(a);
    }
    Value(ObjectRef o)
    {
        if (o)
            m_v = std::move(o);
    }
    Value(BlockRef b)
    {
        if (b)
            m_v = std::move(b);
    }
    template<class T>
    requires std::is_base_of_v<Object, T> Value(std::shared_ptr<T> o)
        : Value(ObjectRef(std::move(o)))
    {
    }

    Kind kind() const { return static_cast<Kind>(m_v.index()); }
    bool isNil() const { return kind() == Kind::Nil; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isLogical() const { return kind() == Kind::Logical; }
    bool isText() const { return kind() == Kind::Text; }
    bool isDate() const { return kind() == Kind::Date; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isObject() const { return kind() == Kind::Object; }
    bool isBlock() const { return kind() == Kind::Block; }

    // Accessors for a kind already tested; asking for another kind is a programming error of the
    // runtime itself (std::bad_variant_access), never a reaction to the system's data.
    double number() const { return std::get<double>(m_v); }
    bool logical() const { return std::get<bool>(m_v); }
    const Text &text() const { return std::get<Text>(m_v); }
    Date date() const { return std::get<Date>(m_v); }
    const ArrayRef &array() const { return std::get<ArrayRef>(m_v); }
    const ObjectRef &object() const { return std::get<ObjectRef>(m_v); }
    const BlockRef &block() const { return std::get<BlockRef>(m_v); }

    // Identity for references, equality for plain values.
    friend bool operator==(const Value &a, const Value &b) { return a.m_v == b.m_v; }

private:
    std::variant<std::monostate, double, bool, Text, Date, ArrayRef, ObjectRef, BlockRef> m_v;
};

inline const Value NIL{};

// A new array holding the listed elements.
ArrayRef newArray(std::initializer_list<Value> elements = {});

// Names of members, messages and publics compare without regard to case.
bool sameName(std::string_view a, std::string_view b);

// A callback whose call-stack name is "(B)" + the procedure active where it is made + "@" + the
// four last digits of the line that makes it.
BlockRef block(std::function<Value(Args &)> body,
               std::source_location where = std::source_location::current());

} // namespace rt
