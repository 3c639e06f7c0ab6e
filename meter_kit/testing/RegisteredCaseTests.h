#pragma once

// One test a case of a table, registered at start-up for a fixture that the kit
// holds as a template: what INSTANTIATE_TEST_SUITE_P does for a fixture of one
// meter, for tables that the three meters share. Each case's test is named
// suite.test/<name of the case> and runs in a fixture of its own.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kittest
{
template <typename Fixture, typename Case>
class CaseTest : public Fixture
{
public:
    using Body = void (*)(Fixture&, const Case&);

    CaseTest(Case c, Body b) : testCase(std::move(c)), body(b) {}

    void TestBody() override { body(*this, testCase); }

private:
    Case testCase;
    Body body;
};

// Registers body once a case; name(case, index) names each. Returns true, so
// that a meter's test file can register at start-up with a constant.
template <typename Fixture, typename Case, typename Name>
bool registerCaseTests(const char* suite, const std::string& test, const std::vector<Case>& cases, Name name,
                       void (*body)(Fixture&, const Case&))
{
    for (std::size_t i = 0; i < cases.size(); ++i)
    {
        const Case& c = cases[i];
        std::ostringstream shown;
        shown << c;
        ::testing::RegisterTest(suite, (test + "/" + name(c, i)).c_str(), nullptr, shown.str().c_str(), __FILE__,
                                __LINE__, [c, body]() -> Fixture* { return new CaseTest<Fixture, Case>(c, body); });
    }
    return true;
}
} // namespace kittest
