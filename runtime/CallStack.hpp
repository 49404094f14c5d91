#pragma once
// The call stack that PROCNAME and PROCLINE read. Every procedure and callback of the system holds
// a ProcFrame for its lifetime. A frame's line is the line it is executing: the line of the call it
// is in (set when the callee's frame is pushed) or, for the frame where an error is raised, the
// line of the failing operation (set by the raise path). Level 0 is the innermost frame.

#include <source_location>
#include <string>

namespace rt {

class ProcFrame
{
public:
    explicit ProcFrame(std::string name,
                       std::source_location caller = std::source_location::current());
    ~ProcFrame();
    ProcFrame(const ProcFrame &) = delete;
    ProcFrame &operator=(const ProcFrame &) = delete;
};

// Name of the procedure at `level` (0 the innermost); "" past the outermost level or below 0.
std::string PROCNAME(int level = 0);

// Line number at `level`; 0 where PROCNAME gives "".
int PROCLINE(int level = 0);

// Records that the innermost frame is now at `where` (a runtime operation about to raise).
void markLine(const std::source_location &where);

} // namespace rt
