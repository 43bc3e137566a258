#include "app/command_line.h"

#include <gtest/gtest.h>

// The program's name, quoted or not, and the blanks after it are skipped.
TEST(CommandLine, LogonRunIsAnEightCharacterPrefixOfTheArgumentText) {
    // Characters beyond ASCII and the first 256 are no blanks.
    EXPECT_EQ(ArgumentText(L"\"C:\\a b\\Velunda.exe\"  \t/startup x"), L"/startup x");
    EXPECT_EQ(ArgumentText(L"\"a\"/startup"), L"/startup");
    EXPECT_EQ(ArgumentText(L"C:\\\u0141\u00F3d\u017A\\Velunda.exe /startup"), L"/startup");
    EXPECT_EQ(ArgumentText(L"V.exe \u0120/startup"), L"\u0120/startup");
    for (const wchar_t* none :
         {L"Velunda.exe", L"\"unclosed /startup", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(ArgumentText(none), L"") << (none ? none : L"null");
    for (const wchar_t* yes : {L"/startup", L"/startupX"}) EXPECT_TRUE(IsLogonRun(yes)) << yes;
    for (const wchar_t* no : {L"/Startup", L"startup", L"/startu"})
        EXPECT_FALSE(IsLogonRun(no)) << no;
    for (const wchar_t* yes : {L"/next", L"/next ", L"/next \t"})
        EXPECT_TRUE(IsNextRun(yes)) << yes;
    for (const wchar_t* no : {L"/nextx", L"/next x", L"/Next", L"", L"/next\u0120"})
        EXPECT_FALSE(IsNextRun(no)) << no;
}
