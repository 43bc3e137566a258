#include "app/command_line.h"

#include <gtest/gtest.h>

#include <utility>

TEST(CommandLine, LogonRunIsAnEightCharacterPrefixOfTheArgumentText) {
    for (const char* yes : {"/startup", "/startupX", "/startup now"})
        EXPECT_TRUE(IsLogonRun(yes)) << yes;
    for (const char* no : {"/Startup", "startup", "/startu", "", " /startup"})
        EXPECT_FALSE(IsLogonRun(no)) << no;
    // The program's name and the blanks after it are skipped.
    for (auto [line, args] :
         {std::pair<const char*, const char*>{"Velunda.exe /startup", "/startup"},
          {"\"C:\\Program Files\\Velunda.exe\"  \t/startup x", "/startup x"},
          {"\"C:\\a b\\Velunda.exe\"/startup", "/startup"},
          {"Velunda.exe", ""},
          {"\"unterminated", ""},
          {"", ""},
          {nullptr, ""}})
        EXPECT_EQ(ArgumentText(line), args) << (line ? line : "null");
}
