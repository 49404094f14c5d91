#pragma once
// Faults brought about through the seams of the runtime state in force, and dialogs that answer
// from a script: what tests arm so that the product's own code meets a failure.

#include "Dialogs.hpp"

#include <deque>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// The engine loader refuses `name` (any case) from now on; the others load as before.
void makeEngineUnavailable(const std::string &name);

// True when the engine or compound `name` (upper case) is loaded or built.
bool engineLoaded(const std::string &name);

// The operations named fail wherever they run ("DBCOMMITALL", "DBCLOSEALL", "[]"); none when the
// set is empty.
void failOperations(std::set<std::string> operations);

// The first array read ("[]") inside the procedure `procedure` fails as out of range, once: the
// runtime error that a click on the left button raises inside the real Sx2Zahl.
void failFirstArrayReadIn(std::string procedure);

// Writes to the alternate file: counting from now, the `first`-th write and the `count` - 1 after
// it fail with ENOSPC, writing nothing; count 0: every write from the `first`-th on (a disk that
// is full from then on). attempted() counts the writes since, failed ones included.
struct WriteFaults
{
    static void fail(int first, int count);
    static int attempted();
};

// Syncs of the alternate file and of its directory, the same way: counting from now, the
// `first`-th sync and the `count` - 1 after it fail with EIO; count 0: every one from the
// `first`-th on; first 0: none. made() lists the syncs since, failed ones included: 'F' for a
// file's data, 'D' for a directory.
struct SyncFaults
{
    static void fail(int first, int count);
    static std::string made();
};

// Answers from a queue and records every call. An empty queue is a fault of the test.
class ScriptedDialogs : public rt::DialogService
{
public:
    struct Call
    {
        enum class Kind
        {
            Alert,
            Confirm,
            Message
        } kind;
        rt::Text text;
        std::vector<rt::Text> options;
        rt::Text title;
        int buttons = 0;
        int style = 0;
    };

    explicit ScriptedDialogs(std::deque<int> answers = {}) : m_answers(std::move(answers)) {}
    void answer(int code) { m_answers.push_back(code); }
    const std::vector<Call> &calls() const { return m_calls; }

    int alert(const rt::Text &message, const std::vector<rt::Text> &options) override;
    int confirmBox(const rt::Text &text, const rt::Text &title, int buttons, int style) override;
    void msgBox(const rt::Text &text, const rt::Text &title) override;

private:
    int next();
    std::deque<int> m_answers;
    std::vector<Call> m_calls;
};

} // namespace testsupport
