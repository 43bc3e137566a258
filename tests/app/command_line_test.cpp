#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, LogonRunIsAnEightCharacterPrefixNextRunAWholeWord) {
    for (const char* yes : {"/startup", "/startupX", "/startup now"}) EXPECT_TRUE(IsLogonRun(yes)) << yes;
    for (const char* no : {"/Startup", "startup", "/startu", "", " /startup"})
        EXPECT_FALSE(IsLogonRun(no)) << no;
    for (const char* yes : {"/next", "/next \t"}) EXPECT_TRUE(IsNextRun(yes)) << yes;
    for (const char* no : {"/nextx", "/next x", "/Next", "next", "/nex", ""}) EXPECT_FALSE(IsNextRun(no)) << no;
}

TEST(CommandLine, ArgumentTextSkipsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentText("Velunda.exe /startup"), "/startup");
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Velunda.exe\"  \t/startup x"), "/startup x");
    EXPECT_EQ(ArgumentText("\"C:\\a b\\Velunda.exe\"/startup"), "/startup");
    EXPECT_EQ(ArgumentText("Velunda.exe"), "");
    EXPECT_EQ(ArgumentText("\"unterminated"), "");
    EXPECT_EQ(ArgumentText(""), "");
    EXPECT_EQ(ArgumentText(nullptr), "");
}
