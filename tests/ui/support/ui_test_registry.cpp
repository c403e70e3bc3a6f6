#include "ui/support/ui_test_registry.h"

#include <filesystem>
#include <map>

namespace norvane::uitest {

namespace {

// A function's own static: the tests register themselves while the program's statics are made,
// in no given order.
std::map<std::string, UiTest>& registry()
{
    static std::map<std::string, UiTest> tests;
    return tests;
}

} // namespace

bool registerUiTest(const char* file, const char* scale, UiTestRun run)
{
    registry()[std::filesystem::path(file).stem().string()] = {scale, run};
    return true;
}

const UiTest* registeredUiTest(const std::string& name)
{
    const auto found = registry().find(name);
    return found == registry().end() ? nullptr : &found->second;
}

std::vector<std::string> registeredUiTestNames()
{
    std::vector<std::string> names;
    for (const auto& [name, run] : registry())
        names.push_back(name);
    return names;
}

} // namespace norvane::uitest
