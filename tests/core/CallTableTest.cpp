// Every name the game calls is answered by the part that registered it: a
// call nobody answers would be a picture never drawn or a click that does
// nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "Fixture.h"
#include "core/CallNames.h"
#include "core/StoryInput.h"
#include "core/frmMenu.h"

namespace q {
namespace {

using CallTableTest = test::GameTest;

TEST_F(CallTableTest, EveryNameTheGameCallsIsRegistered) {
    for (std::string_view name : CalledNames) EXPECT_TRUE(g().HasHandler(std::string(name))) << name;
}

TEST_F(CallTableTest, EveryStoryTheDispatcherRunsIsRegistered) {
    const auto names = DispatchedNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) EXPECT_TRUE(g().HasHandler(name)) << name;
}

TEST_F(CallTableTest, EveryPopupMenuCommandIsRegistered) {
    int commands = 0;
    auto walk = [&](Form& form, MenuItem& top) {
        for (MenuItem* item : top.children) {
            if (item->isSeparator()) continue;
            ++commands;
            const std::string name = form.Name() + "." + item->name() + "_Click";
            EXPECT_TRUE(g().HasHandler(name)) << name;
        }
    };
    walk(g().frmMenu.get(), g().frmMenu->menu);
    walk(g().frmBoard.get(), g().frmBoard->bmenu);
    EXPECT_EQ(commands, 6 + 26);
}

// The list of called names holds every name a call in the sources spells, so
// the tests above see every call.
TEST_F(CallTableTest, TheListHoldsEveryNameCalledInTheSources) {
    const std::set<std::string_view> listed(CalledNames.begin(), CalledNames.end());
    const std::regex call(R"re(\bCall\("([^"]+)")re");
    int found = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUORVANE_SOURCE_DIR "/src")) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        for (std::sregex_iterator m(s.begin(), s.end(), call), end; m != end; ++m) {
            ++found;
            EXPECT_TRUE(listed.count((*m)[1].str())) << (*m)[1] << " in " << entry.path();
        }
    }
    EXPECT_GE(found, int(CalledNames.size()));
}

TEST_F(CallTableTest, ACallNobodyAnswersIsAFault) {
    EXPECT_THROW(g().Call("frmNowhere.Nothing"), UnreachedCall);
}

}  // namespace
}  // namespace q
