#include "window/messages.h"

namespace {

// A control character is named by its code point, since it has no visible form.
std::u16string CodePoint(char16_t c) {
    constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
    std::u16string text = u"U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kHexDigits[(c >> shift) & 0xF];
    }
    return text;
}

std::u16string DescribeCharacter(char16_t c) {
    switch (c) {
        case u'"':
            return u"双引号 (\")";
        case u'$':
            return u"美元符号 ($)";
        case u'`':
            return u"反引号 (`)";
        case u'!':
            return u"感叹号 (!)";
        case u'%':
            return u"百分号 (%) 括起的变量名";
        case u'\\':
            return u"末尾的反斜杠 (\\)";
        default:
            return u"控制字符 " + CodePoint(c);
    }
}

}  // namespace

std::u16string UnsafePathMessage(char16_t unsafe) {
    return u"模型路径含有" + DescribeCharacter(unsafe) +
           u"，粘贴到命令行时会跳出引号、被替换或执行命令，因此没有复制。";
}
