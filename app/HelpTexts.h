#pragma once
// The help menu's texts and the about text, exactly as the program shows them.

namespace penrica {

// The author's web address, opened from the start window and named in the about text.
inline constexpr const char* kAuthorAddress = "www.penrica.org";

inline constexpr const char* kHelpAddImage =
    "添加菜单——文件\r\n"
    "点击——添加图片\r\n"
    "软件弹出图片选择框，选择你需要的图片即可\r\n"
    "添加成功后下面的图片列出条会显示刚刚添加的图片缩小图片\r\n"
    "\r\n"
    "提示：图片的名字最好是有意义的，比如“膀胱经”“胆经”“胆经2”\r\n";

inline constexpr const char* kHelpAddMarker =
    "点击图片列表条上的图片，上面窗口会显示你点击的图片\r\n"
    "将鼠标放到图片穴位上，比如“印堂”，鼠标右键点击，会提示“在此添加穴位标志”点击此提示，会弹出"
    "一个输入框，输入穴位名字“印堂”，此时如果你的鼠标再移动到此，图片上就会自动在此穴位上画圈提示"
    "穴位名称。";

inline constexpr const char* kHelpShowIntroduction =
    "双击闪动的穴位提示，右边的窗口会显示此穴位的介绍，当然，穴位介绍现在是一个白板，我们还没有输"
    "入任何文本。现在我们看看穴位介绍窗口上面的提示中显示的是否是你点击的穴位名字。如果是，你就可以"
    "添加此穴位的介绍了。";

inline constexpr const char* kHelpStyling =
    "添加穴位介绍文本后，你还可以改变文本的样式，比如大小，颜色，字体名称，是否加粗等。方法是 用鼠"
    "标选中穴位介绍的文本，然后点击右键，点击“设置字体样式”会弹出一个字体样式设置窗口，设置你需要的"
    "字体样式，比如：改变字体大小为11  字体样式选中为 #红色 字体选中 “黑体”等等，点击确定，即可。"
    "\r\n"
    "\r\n"
    "穴位介绍输入完成，记得点击保存按钮\r\n"
    "\r\n"
    "提示，如果你只是在光标处设置字体样式，设置的是此光标处新输入的文本样式。";

inline constexpr const char* kAboutText = "Penrica\r\n"
                                          "版本1.1\r\n"
                                          "\r\n"
                                          "www.penrica.org\r\n"
                                          "\r\n"
                                          "2015 1 24";

} // namespace penrica
