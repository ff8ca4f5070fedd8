// Every notice and question of the Installer, as Chinese (GBK) and English texts.
#pragma once

// Button sets, with the values of the system message box.
constexpr int kButtonsOk = 0;     // MB_OK: one OK button, result 1
constexpr int kButtonsYesNo = 4;  // MB_YESNO: results 6 (Yes) and 7 (No)

struct BilingualText {
  const char* chinese;
  const char* english;
  int buttons;  // kButtonsOk or kButtonsYesNo
};

// Columns: Chinese text, English text, button set. Texts with "%s" are formatted by the caller.
constexpr BilingualText kMsgNoMemory = {"内存不够。安装无法继续。", "Memory not enough!",
                                        kButtonsOk};
constexpr BilingualText kMsgCannotCreateTarget = {
    "无法建目录。请检查所列目录是否合法（注意：子目录只能在已存在的目录下建）。",
    "%s Please check folder path.", kButtonsOk};
constexpr const char* kMsgCannotCreateTargetArgument = "Cannot create folder!";
constexpr BilingualText kMsgInstallSucceeded = {
    "祝贺您：安装顺利完成！", "Congratulations! Installation Success!", kButtonsOk};
constexpr BilingualText kMsgInstallFailed = {
    "安装失败！请检查一下系统后，再重新安装。谢谢！",
    "Installation failed. Please check your system (quit all Torvu applications) and try again.",
    kButtonsOk};
constexpr BilingualText kMsgReplaceWordBase = {
    "安装目录有老词库。是否安装新词库(会冲掉老词库)?",
    "Old CiKu (Word Base) is detected. Replace it with new CiKu?", kButtonsYesNo};
constexpr BilingualText kMsgPathTooLong = {
    "安装路径太长。请选一个短一些的路径。",
    "The install path is too long. Please choose a shorter one.", kButtonsOk};
// A target folder that the system's ANSI code page cannot spell, in which the Installer could not
// name its files (or would name another folder's).
constexpr BilingualText kMsgFolderNotInCodePage = {
    "安装路径里有本系统的代码页写不出的字符。请换一个路径。",
    "The install path holds characters that this system's code page cannot spell. Please choose "
    "another.",
    kButtonsOk};
constexpr BilingualText kMsgCannotCreateGroup = {"无法建目录(%s)!", "Cannot create folder!",
                                                 kButtonsOk};
constexpr BilingualText kMsgStartMenuFailed = {
    "无法在 Start 菜单中为本程序建立一个条目。很抱歉，只好请您以后自已建立了。",
    "Failed to create an entry on Start Menu.", kButtonsOk};
constexpr BilingualText kMsgInstallerDamaged = {
    "安装程序文件已损坏，无法安装。请重新下载安装程序。",
    "The Installer file is damaged and cannot install. Please download it again.", kButtonsOk};
// Formatted with the name of a file that the run would replace and another program holds open
// (the product running); Yes looks again, No ends the run.
constexpr BilingualText kMsgFileInUse = {
    "%s 正在使用。请关闭 Quorvane 程序。重试吗？",
    "%s is in use. Please close the Quorvane program. Try again?", kButtonsYesNo};
// Formatted with the name of a file that the run would replace and that the system refuses for
// a reason other than its being in use: no permission to change it (an installation made by
// another user), or a medium that cannot be written.
constexpr BilingualText kMsgFileRefused = {"%s 无法替换：没有权限，或磁盘只读。",
                                           "%s cannot be replaced: no permission, or a read-only disk.",
                                           kButtonsOk};
// A second Installer started while one runs.
constexpr BilingualText kMsgAlreadyRunning = {
    "另一个安装程序正在运行。请等它结束后再试。",
    "Another Quorvane Installer is running. Please wait until it ends.", kButtonsOk};
// Formatted with the space needed and the space free (DescribeBytes of install/disk_room.h).
constexpr BilingualText kMsgNoRoom = {"磁盘空间不够：需要 %s，只有 %s。安装无法继续。",
                                      "Not enough disk space: %s needed, %s free.", kButtonsOk};
