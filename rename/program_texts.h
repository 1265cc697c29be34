// Every text the program shows, as exact GBK (code page 936) bytes, so that no
// compiler source or execution charset can change them. The characters stand
// in the comment beside each.
#pragma once

namespace texts {

// 文件批量更名工具
inline constexpr char kWindowTitle[] = "\xce\xc4\xbc\xfe\xc5\xfa\xc1\xbf\xb8\xfc\xc3\xfb\xb9\xa4\xbe\xdf";
// 文件名：
inline constexpr char kNameLabel[] = "\xce\xc4\xbc\xfe\xc3\xfb\xa3\xba";
// 批量重命名
inline constexpr char kRenameButton[] = "\xc5\xfa\xc1\xbf\xd6\xd8\xc3\xfc\xc3\xfb";
// Six CR LF, 25 spaces, 把文件拖到这里: the hint stands indented on line seven.
inline constexpr char kFileListHint[] =
    "\r\n\r\n\r\n\r\n\r\n\r\n"
    "                         "
    "\xb0\xd1\xce\xc4\xbc\xfe\xcd\xcf\xb5\xbd\xd5\xe2\xc0\xef";
// 信息：
inline constexpr char kNoticeCaption[] = "\xd0\xc5\xcf\xa2\xa3\xba";
inline constexpr char kNoticeDone[] = "OK";
// "k 个文件未能重命名（共 n 个）" is built as k, kFailedMiddle, n, kFailedEnd.
// " 个文件未能重命名（共 "
inline constexpr char kFailedMiddle[] =
    " \xb8\xf6\xce\xc4\xbc\xfe\xce\xb4\xc4\xdc\xd6\xd8\xc3\xfc\xc3\xfb\xa3\xa8\xb9\xb2 ";
// " 个）"
inline constexpr char kFailedEnd[] = " \xb8\xf6\xa3\xa9";
// 文件列表为空
inline constexpr char kEmptyList[] = "\xce\xc4\xbc\xfe\xc1\xd0\xb1\xed\xce\xaa\xbf\xd5";
// The window could not be created: 无法创建主窗口
inline constexpr char kWindowFailed[] = "\xce\xde\xb7\xa8\xb4\xb4\xbd\xa8\xd6\xf7\xb4\xb0\xbf\xda";

}  // namespace texts
