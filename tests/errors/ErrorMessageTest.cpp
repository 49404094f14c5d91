// The message text: which members are tested by kind and which by emptiness, the fixed pieces and
// their order, numbers as digits without blanks.

#include "ErrorsTestKit.hpp"

namespace {

using namespace rt;
using namespace errtest;

using ErrorMessage = testsupport::RuntimeTest;

// Every member unremarkable: the text is "Fehler BASE/0;Beschreibung : ;Thread ID : 1".
TEST_F(ErrorMessage, EachRowOfTheMessageTable)
{
    struct Row
    {
        const char *proves;
        Members members;
        const char *expected;
    } rows[] = {
        // clang-format off
        {"severity 2 starts with Fehler", {{"severity", 2}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"severity 3 starts with Fehler", {{"severity", 3}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"severity 1 starts with Warnung", {{"severity", 1}}, "Warnung BASE/0;Beschreibung : ;Thread ID : 1"},
        {"severity 0 starts with Warnung", {{"severity", 0}}, "Warnung BASE/0;Beschreibung : ;Thread ID : 1"},
        {"severity 1.5 is greater than 1", {{"severity", 1.5}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"a subsystem NIL is ????", {{"subSystem", NIL}}, "Fehler ????" "/0;Beschreibung : ;Thread ID : 1"},
        {"a subsystem number is ????", {{"subSystem", 5}}, "Fehler ????" "/0;Beschreibung : ;Thread ID : 1"},
        {"an empty subsystem text is kept", {{"subSystem", ""}}, "Fehler /0;Beschreibung : ;Thread ID : 1"},
        {"a subcode NIL is /????", {{"subCode", NIL}}, "Fehler BASE/????;Beschreibung : ;Thread ID : 1"},
        {"a subcode text is /????", {{"subCode", "17"}}, "Fehler BASE/????;Beschreibung : ;Thread ID : 1"},
        {"subcode 17 is two digits", {{"subCode", 17}}, "Fehler BASE/17;Beschreibung : ;Thread ID : 1"},
        {"a negative subcode keeps its sign", {{"subCode", -5}}, "Fehler BASE/-5;Beschreibung : ;Thread ID : 1"},
        {"a warning with both missing", {{"severity", 1}, {"subSystem", NIL}, {"subCode", NIL}},
         "Warnung ????" "/????;Beschreibung : ;Thread ID : 1"},
        {"a description is its piece", {{"description", "XYZ"}}, "Fehler BASE/0;Beschreibung : XYZ;Thread ID : 1"},
        {"a description NIL has no piece", {{"description", NIL}}, "Fehler BASE/0;Thread ID : 1"},
        {"a description number has no piece", {{"description", 4}}, "Fehler BASE/0;Thread ID : 1"},
        {"a file name is its piece", {{"fileName", "a.dbf"}}, "Fehler BASE/0;Beschreibung : ;Datei : a.dbf;Thread ID : 1"},
        {"a blank file name is empty", {{"fileName", "   "}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"a file name NIL is empty", {{"fileName", NIL}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"an operation is its piece", {{"operation", "+"}}, "Fehler BASE/0;Beschreibung : ;Operation : +;Thread ID : 1"},
        {"an operation of 0 is empty", {{"operation", 0}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 1"},
        {"thread 12 as digits", {{"thread", 12}}, "Fehler BASE/0;Beschreibung : ;Thread ID : 12"},
        {"the thread piece is last with every optional piece missing",
         {{"description", NIL}, {"fileName", ""}, {"operation", ""}}, "Fehler BASE/0;Thread ID : 1"},
        {"a ; inside a member stays as it is", {{"description", "a;b"}}, "Fehler BASE/0;Beschreibung : a;b;Thread ID : 1"},
        {"the worked example: every piece in its place", {{"severity", 2}, {"subSystem", "ABC"}, {"subCode", 17}, {"description", "XYZ"},
         {"fileName", ""}, {"operation", "/"}, {"thread", 1}}, "Fehler ABC/17;Beschreibung : XYZ;Operation : /;Thread ID : 1"},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(ERRORMESSAGE(errorWith(row.members)), Value(row.expected));
    }
}

TEST_F(ErrorMessage, LeavesTheErrorObjectAsItWas)
{
    auto error = errorWith({{"args", newArray({1, "x"})}, {"cargo", "c"}});
    const ErrorObject before = *error;
    ERRORMESSAGE(error);
    for (std::string_view name : ErrorObject::memberNames())
        EXPECT_EQ(*error->member(name), *const_cast<ErrorObject &>(before).member(name)) << name;
}

// Members of a kind the text operations cannot take: the runtime's usual error is raised once per
// such member, and its default leaves that piece short.
TEST_F(ErrorMessage, MembersOfAWrongKindRaiseTheRuntimesErrorAndShortenTheirPiece)
{
    testsupport::ErrorRecorder recorder;
    auto error = errorWith({{"severity", "high"}, {"fileName", 7}, {"thread", "main"}});
    EXPECT_EQ(ERRORMESSAGE(error), Value("Warnung BASE/0;Beschreibung : ;Datei : ;Thread ID : "));
    EXPECT_EQ(recorder.operations(), (std::vector<Value>{"<", "+", "STR"}));
}

} // namespace
