#include "ui/main/about_text.h"

namespace sg8 {

std::string aboutText()
{
    return "\r\n"
           "\r\n"
           "本程序由 sg8gen 项目的开发者编写。\r\n"
           "感谢以十六进制编辑器直接修改存档的思路。\r\n"
           "感谢自创武将存档的教程。\r\n"
           "感谢战技代码的整理。\r\n"
           "感谢外观（模型）代码规律的整理。";
}

}  // namespace sg8
