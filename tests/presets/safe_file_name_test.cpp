// File names made from hostile program and bank names stay plain, visible
// names in the preset folder, with the same result on Linux and Windows.
// Built into the Linux and the Windows tests alike.
#include "presets/safe_file_name.h"

#include <gtest/gtest.h>

#include "platform/module_path.h"

using presets::safeFileName;

TEST(SafeFileName, KeepsOrdinaryNames) {
  EXPECT_EQ(safeFileName("Glass Harp 2"), "Glass Harp 2");
  EXPECT_EQ(safeFileName("-"), "-");
  EXPECT_EQ(safeFileName("COM10"), "COM10") << "only COM0 to COM9 are devices";
  EXPECT_EQ(safeFileName("Console"), "Console");
  EXPECT_EQ(safeFileName("v1.2 final"), "v1.2 final");
}

TEST(SafeFileName, SeparatorsDrivesAndParentFoldersCannotLeaveTheFolder) {
  EXPECT_EQ(safeFileName("../../evil"), "_.._evil");
  EXPECT_EQ(safeFileName("..\\..\\evil"), "_.._evil");
  EXPECT_EQ(safeFileName("C:\\Windows\\win.ini"), "C__Windows_win.ini");
  EXPECT_EQ(safeFileName("C:evil"), "C_evil") << "a drive-relative path";
  EXPECT_EQ(safeFileName("\\\\server\\share"), "__server_share");
  EXPECT_EQ(safeFileName("a<b>c\"d|e?f*g"), "a_b_c_d_e_f_g");
  EXPECT_EQ(safeFileName("tab\there\x7f"), "tab_here_");
  for (const char* nothing : {"", ".", "..", "...", "   ", ". ."}) {
    EXPECT_EQ(safeFileName(nothing), "Untitled") << '"' << nothing << '"';
  }
  EXPECT_EQ(safeFileName("name. . "), "name") << "Windows drops trailing dots and spaces";
}

TEST(SafeFileName, DeviceNamesInAnyCaseAndWithAnyExtensionAreRenamed) {
  for (const char* device :
       {"CON", "con", "Prn", "AUX", "nul", "NUL.vkp", "nul .txt", "COM1", "com9", "LPT1", "lpt0.x",
        "CONIN$", "conout$", "COM\xB9", "NUL.", " nul", "..\\NUL"}) {
    const std::string safe = safeFileName(device);
    EXPECT_EQ(safe[0], '_') << device;
    EXPECT_EQ(safeFileName(safe), safe) << "a safe name stays as it is";
  }
}

TEST(SafeFileName, PathsJoinTheFolderWithTheSystemsSeparator) {
  const std::string separator(1, platform::pathSeparator());
  EXPECT_EQ(presets::presetFilePath("presets", "../x", ".vkb"), "presets" + separator + "_x.vkb");
  EXPECT_EQ(presets::presetFilePath("presets", "con", ".vkp"), "presets" + separator + "_con.vkp");
}
