// Every Chinese text of the program. This file is UTF-8; the compiler turns
// its literals into code page 936 bytes (-fexec-charset=CP936), which is what
// the "A" functions expect on the systems the program is made for.
#pragma once

namespace texts {

// Element names, by which handlers address the form's elements.
inline constexpr char kWindow[] = "窗口";
inline constexpr char kVersionLabel[] = "标签1";
inline constexpr char kCopyButton[] = "按钮2";
inline constexpr char kListBox[] = "编辑框1";
inline constexpr char kListButton[] = "按钮1";

// Menu item captions, which are also their names.
inline constexpr char kMenu[] = "菜单";
inline constexpr char kExit[] = "退出";
inline constexpr char kUpdatePage[] = "本软件更新";
inline constexpr char kAboutPage[] = "关于Quorvel";

// Texts shown in the window.
inline constexpr char kTitle[] = "Quorvel提取文件名V1.0";
inline constexpr char kVersion[] = "V1.0";
inline constexpr char kCopyCaption[] = "复制编辑框的内容";
inline constexpr char kListCaption[] = "在要提取文件名的文件夹内点击";

// The version label's font face.
inline constexpr char kLabelFontFace[] = "宋体";

}  // namespace texts
