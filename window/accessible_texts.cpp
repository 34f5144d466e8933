#include "window/accessible_texts.h"

const std::array<AccessibleText, 6> kAccessibleTexts{{
    {u"Frame1", u"", u"将模型文件拖放到此处，或在窗口中按 Ctrl+V 粘贴已复制的模型文件"},
    {u"Image1", u"模型预览图", u"双击可将查看器窗口的宽度和高度恢复为 400 和 600"},
    {u"Text1", u"模型路径", u"拖放或粘贴的模型文件的完整路径"},
    {u"Text2", u"查看器窗口宽度", u""},
    {u"Text3", u"查看器窗口高度", u""},
    {u"Command1", u"", u"将查看器的启动命令行复制到剪贴板"},
}};
