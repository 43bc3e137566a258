#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, LogonRunIsAnEightCharacterPrefix) {
    for (const char* yes : {"/startup", "/startupX", "/startup now"}) EXPECT_TRUE(IsLogonRun(yes)) << yes;
    for (const char* no : {"/Startup", "startup", "/startu", "", " /startup"})
        EXPECT_FALSE(IsLogonRun(no)) << no;
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
