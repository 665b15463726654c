#include "controller/auto_start_command.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(AutoStartCommand, PathSeparatorAndQuoting) {
    struct Row {
        const char* folder;
        const char* base;
        const char* expected;
    };
    const Row rows[] = {
        {"D:\\Tools", "finder", "D:\\Tools\\finder.exe"},
        // The separator is inserted even after a drive root.
        {"D:\\", "finder", "D:\\\\finder.exe"},
        {"C:\\Program Files\\Quenmark", "quenmark",
         "\"C:\\Program Files\\Quenmark\\quenmark.exe\""},
        {"C:\\Tools", "my finder", "\"C:\\Tools\\my finder.exe\""},
        {"C:\\Tab\there", "q", "\"C:\\Tab\there\\q.exe\""},
        {"\\\\server\\share", "q", "\\\\server\\share\\q.exe"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AutoStartCommand(row.folder, row.base), row.expected)
            << row.folder << " | " << row.base;
}

TEST(AutoStartCommand, ProgramPathOfValuesReadBack) {
    struct Row {
        const char* value;
        const char* path;
    };
    const Row rows[] = {
        {"D:\\Tools\\finder.exe", "D:\\Tools\\finder.exe"},
        {"  D:\\Tools\\finder.exe \t", "D:\\Tools\\finder.exe"},
        {"\"C:\\Program Files\\q.exe\"", "C:\\Program Files\\q.exe"},
        {" \"C:\\Program Files\\q.exe\" /min", "C:\\Program Files\\q.exe"},
        {"\"C:\\Unclosed Quote\\q.exe", "C:\\Unclosed Quote\\q.exe"},
        {"\" C:\\q.exe \"", "C:\\q.exe"},
        {"", ""},
        {"     ", ""},
        {"\t\r\n", ""},
        {"\"\"", ""},
        {"\"   \"", ""},
        {"\"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CommandProgramPath(row.value), row.path) << '[' << row.value << ']';
        EXPECT_EQ(IsAutoStartValuePresent(row.value), row.path[0] != '\0')
            << '[' << row.value << ']';
    }
}

TEST(AutoStartCommand, WrittenCommandReadsBackAsTheSameProgram) {
    const char* folders[] = {"D:\\Tools", "D:\\", "C:\\Program Files\\Quenmark"};
    for (const char* folder : folders) {
        std::string command = AutoStartCommand(folder, "quenmark");
        EXPECT_EQ(CommandProgramPath(command), std::string(folder) + "\\quenmark.exe") << folder;
        EXPECT_TRUE(SameProgramPath(command, std::string(folder) + "\\QUENMARK.EXE")) << folder;
    }
    EXPECT_FALSE(SameProgramPath("C:\\a\\q.exe", "C:\\b\\q.exe"));
    EXPECT_FALSE(SameProgramPath("C:\\a\\q.exe", "C:\\a\\q.exe2"));
    EXPECT_FALSE(SameProgramPath("", ""));
    EXPECT_FALSE(SameProgramPath("  ", "\"\""));
}

} // namespace
} // namespace qm
