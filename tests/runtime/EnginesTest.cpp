// The database engines: loading, building a compound, and commit and close with and without
// faults armed through the seams.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;

using Engines = testsupport::RuntimeTest;

TEST_F(Engines, LoadAndBuildAnswerWithALogical)
{
    testsupport::makeEngineUnavailable("sdfdbe");
    rttest::ErrorRecorder recorder;
    const std::pair<Value, bool> rows[] = {
        // clang-format off
        {DBELOAD("DBFDBE"), true},
        {DBELOAD("ntxdbe", true), true},
        {DBELOAD("SDFDBE"), false},                        // made unavailable
        {DBELOAD("FOXDBE"), false},                        // unknown
        {DBEBUILD("DBFDEL", "DBFDBE", "DELDBE"), false},   // one engine not loaded
        {DBEBUILD("DBFNTX", "dbfdbe", "NTXDBE"), true},
        {DBEBUILD("dbfntx", "DBFDBE", "NTXDBE"), false},   // already built
        {DBEBUILD("NTXDBE", "DBFDBE", "NTXDBE"), false},   // the name of an engine
        // clang-format on
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].first, Value(rows[i].second)) << "row " << i;
    EXPECT_TRUE(testsupport::engineLoaded("DBFNTX"));
    EXPECT_FALSE(testsupport::engineLoaded("SDFDBE"));
    EXPECT_TRUE(recorder.errors.empty()) << "a missing engine is an answer, not an error";
}

TEST_F(Engines, CommitAndCloseSucceedOrRaiseAnEngineError)
{
    struct Row
    {
        const char *proves;
        std::vector<Value> operations; // those that fail, in order
        int areasAfter;
    } rows[] = {
        {"both succeed and every work area closes", {}, 0},
        {"a failed commit still lets the close go on", {"DBCOMMITALL"}, 0},
        {"a failed close leaves the work areas open", {"DBCLOSEALL"}, 2},
        {"both fail", {"DBCOMMITALL", "DBCLOSEALL"}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        RuntimeState fresh;
        fresh.engines.workAreas = 2;
        std::set<std::string> failing;
        for (const Value &operation : row.operations)
            failing.insert(operation.text());
        testsupport::failOperations(failing);
        rttest::ErrorRecorder recorder(false);
        EXPECT_TRUE(DBCOMMITALL().isNil());
        EXPECT_TRUE(DBCLOSEALL().isNil());
        for (const ErrorRef &e : recorder.errors) {
            EXPECT_EQ(e->genCode, Value(int(GenCode::Engine)));
            EXPECT_EQ(e->canDefault, Value(true));
        }
        EXPECT_EQ(recorder.operations(), row.operations);
        EXPECT_EQ(fresh.engines.workAreas, row.areasAfter);
    }
}

} // namespace
