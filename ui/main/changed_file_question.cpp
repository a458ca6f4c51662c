#include "ui/main/changed_file_question.h"

#include "data/file_io.h"
#include "toolkit/message_box.h"

#include <string>

namespace sg8 {

bool confirmReplacingChangedFile(const std::filesystem::path& path, std::string_view action)
{
    const std::string text = "存档文件 " + pathToUtf8(path.filename()) +
                             " 在打开之后被其他程序修改过（游戏可能正在运行）。\r\n"
                             "继续将覆盖这些修改；被修改后的文件会先存入备份历史，可以从“备份…”中找回。\r\n" +
                             std::string(action);
    return messageBox(text, MessageStyle::YesNo, "文件已被修改", MessageIcon::Warning) == MessageResult::Yes;
}

}  // namespace sg8
