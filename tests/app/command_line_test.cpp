#include "app/command_line.h"

#include <gtest/gtest.h>

// The program's name, quoted or not, and the blanks after it are skipped.
TEST(CommandLine, LogonRunIsAnEightCharacterPrefixOfTheArgumentText) {
    EXPECT_EQ(ArgumentText("\"C:\\a b\\Velunda.exe\"  \t/startup x"), "/startup x");
    EXPECT_EQ(ArgumentText("\"a\"/startup"), "/startup");
    EXPECT_EQ(ArgumentText("Velunda.exe /startup"), "/startup");
    for (const char* none :
         {"Velunda.exe", "\"unclosed /startup", static_cast<const char*>(nullptr)})
        EXPECT_EQ(ArgumentText(none), "") << (none ? none : "null");
    for (const char* yes : {"/startup", "/startupX"}) EXPECT_TRUE(IsLogonRun(yes)) << yes;
    for (const char* no : {"/Startup", "startup", "/startu"}) EXPECT_FALSE(IsLogonRun(no)) << no;
    for (const char* yes : {"/next", "/next ", "/next \t"}) EXPECT_TRUE(IsNextRun(yes)) << yes;
    for (const char* no : {"/nextx", "/next x", "/Next", ""}) EXPECT_FALSE(IsNextRun(no)) << no;
}
