#include "controller/auto_start_command.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(AutoStartCommand, SeparatorAndQuotingReadBackAsTheSameProgram) {
    const struct {
        const char *folder, *base, *command;
    } rows[] = {
        {"D:\\Tools", "finder", "D:\\Tools\\finder.exe"},
        {"D:\\", "finder", "D:\\\\finder.exe"}, // inserted even after a drive root
        {"C:\\Program Files\\Q", "quenmark", "\"C:\\Program Files\\Q\\quenmark.exe\""},
        {"C:\\Tools", "my finder", "\"C:\\Tools\\my finder.exe\""},
        {"\\\\server\\share", "q", "\\\\server\\share\\q.exe"},
    };
    for (const auto& row : rows) {
        std::string command = AutoStartCommand(row.folder, row.base);
        std::string path = std::string(row.folder) + "\\" + row.base + ".exe";
        EXPECT_EQ(command, row.command);
        EXPECT_EQ(CommandProgramPath(command), path) << command;
        EXPECT_TRUE(SameProgramPath(command, path)) << command;
    }
    EXPECT_TRUE(SameProgramPath("C:\\Q\\Q.EXE", "\"c:\\q\\q.exe\""));
    EXPECT_FALSE(SameProgramPath("C:\\a\\q.exe", "C:\\b\\q.exe"));
    EXPECT_FALSE(SameProgramPath("  ", "\"\""));
}

TEST(AutoStartCommand, ProgramPathOfValuesReadBack) {
    const struct {
        const char *value, *path;
    } rows[] = {
        {"  D:\\Tools\\finder.exe \t", "D:\\Tools\\finder.exe"},
        {" \"C:\\Program Files\\q.exe\" /min", "C:\\Program Files\\q.exe"},
        {"\"C:\\Unclosed Quote\\q.exe", "C:\\Unclosed Quote\\q.exe"},
        {"\" C:\\q.exe \"", "C:\\q.exe"},
        {"", ""},
        {" \t\r\n", ""},
        {"\"   \"", ""},
        {"\"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CommandProgramPath(row.value), row.path) << '[' << row.value << ']';
        EXPECT_EQ(IsAutoStartValuePresent(row.value), *row.path != '\0') << '[' << row.value << ']';
    }
}

} // namespace
} // namespace qm
