#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, LogonRunIsAnEightCharacterPrefix) {
    EXPECT_TRUE(IsLogonRun("/startup"));
    EXPECT_TRUE(IsLogonRun("/startupX"));
    EXPECT_TRUE(IsLogonRun("/startup now"));
    EXPECT_FALSE(IsLogonRun("/Startup"));
    EXPECT_FALSE(IsLogonRun("startup"));
    EXPECT_FALSE(IsLogonRun("/startu"));
    EXPECT_FALSE(IsLogonRun(""));
    EXPECT_FALSE(IsLogonRun(" /startup"));
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
