#pragma once
// A fault point in the alternate file's write path, for tests that make writes fail the way a full
// disk or a failing device does. The program never arms it; disarmed it costs one comparison per
// write. It does not touch the file: a write it fails writes nothing and fails with ENOSPC.

namespace rt {

struct WriteFaults
{
    // Counting from now, the `first`-th write and the `count` - 1 after it fail; count 0: every
    // write from the `first`-th on (a disk that is full from then on).
    static void fail(int first, int count);
    static void reset();
    // Writes attempted since the last reset, failed ones included.
    static int attempted();
    // Called by the write path once per write: counts it and says whether it is to fail.
    static bool nextWriteFails();
};

} // namespace rt
