#include "win32/program_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lexidrop {
namespace {

// 表 is 0x95 0x5C in Shift-JIS: its trail byte is a backslash.
constexpr const char* kTrailBackslashName = "表.exe";
constexpr const char* kExpectedFolderVariable = "LEXIDROP_EXPECTED_PROGRAM_FOLDER";

TEST(ProgramFolder, SkipsTrailBytesThatEqualABackslash)
{
    EXPECT_EQ(LastSeparator("C:\\dir\\表.exe"), 6u);
    EXPECT_EQ(LastSeparator("C:\\表\\a.exe"), 5u);
    EXPECT_EQ(LastSeparator("C:/dir/a.exe"), 6u);
    EXPECT_EQ(LastSeparator("表.exe"), std::string::npos);
}

// Runs only inside the copy started by the next test, which names the folder it expects.
TEST(ProgramFolder, ChildReportsItsFolder)
{
    const char* expected = std::getenv(kExpectedFolderVariable);
    if (!expected) GTEST_SKIP() << "only in the renamed copy";
    EXPECT_EQ(ProgramFolder(), expected);
}

TEST(ProgramFolder, IsTheFolderOfAProgramNamedWithATrailByteBackslash)
{
    char self[MAX_PATH + 1] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    char temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + "lexidrop-folder-test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + kTrailBackslashName;
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));

    ASSERT_TRUE(SetEnvironmentVariableA(kExpectedFolderVariable, folder.c_str()));
    std::string command = "\"" + copy + "\" --gtest_filter=ProgramFolder.ChildReportsItsFolder";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kExpectedFolderVariable, nullptr);
    ASSERT_TRUE(started);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(exitCode, 0u) << "the copy's folder was not " << folder;
}

}  // namespace
}  // namespace lexidrop
