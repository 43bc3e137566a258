// A logon run reads the list file and reports a missing one.

#include <gtest/gtest.h>

#include "harness.h"

TEST(ListAtStartUp, MissingListShowsTheLoadMessageInTheLogonRun) {
    const std::string dir = e2e::MakeTempDir();
    e2e::DeleteSettings();
    e2e::SetString("FilelistPath", dir + "\\absent.dat");
    // The next change is far off, so that the run does nothing else.
    e2e::SetString("TimeType", "days");
    for (const auto& [name, value] : {std::pair<const char*, uint32_t>{"Startup", 0}, {"NumDays", 1000}, {"NumStartup", 1},
                                      {"LastDays", uint32_t(e2e::TodayMidnight())}, {"LastStartup", 0}})
        e2e::SetDword(name, value);
    const e2e::RunResult logon = e2e::Run("/startup");
    EXPECT_TRUE(logon.finished);
    EXPECT_FALSE(logon.sawMainWindow);
    ASSERT_EQ(logon.boxes.size(), 1u);
    EXPECT_EQ(logon.boxes[0].caption, "Velunda");
    EXPECT_EQ(logon.boxes[0].text, "Erreur de chargement de la liste (2)");
    e2e::DeleteSettings();
    RemoveDirectoryA(dir.c_str());
}
