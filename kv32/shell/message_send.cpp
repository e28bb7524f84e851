#include "kv32/shell/message_send.h"

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr int kCodeWidth = 12;
constexpr int kTextWidth = 640;

char ReplyLetter(char replyFlag)
{
    return replyFlag == '\0' ? 'N' : replyFlag;
}

} // namespace

std::string BuildMsgType144Text(const std::string& recipientCode, const std::string& secondCode,
    const std::string& text, char replyFlag, int urgent, const std::string& field6, const std::string& field8,
    int mode, int& code)
{
    KvFieldWriter w;
    AppendUserField(w);
    switch (mode) {
    case 0:
    case 1:
        code = mode == 0 ? MSGTYPE_MESSAGE_SEND : MSGTYPE_MESSAGE_CHANGE;
        AppendPaddedField(w, kCodeWidth, secondCode, false);
        AppendPaddedField(w, kCodeWidth, recipientCode, false);
        w.Char(urgent == 1 ? 'Y' : 'N');
        w.Char(ReplyLetter(replyFlag));
        AppendPaddedField(w, 6, field6, false);
        if (mode == 1)
            AppendPaddedField(w, 8, field8, false);
        AppendPaddedField(w, kTextWidth, text, false);
        break;
    case 2:
        code = MSGTYPE_MESSAGE_WITHDRAW;
        AppendPaddedField(w, 8, field8, false);
        break;
    default:
        code = 0;
        return std::string();
    }
    return w.Str();
}

int SendMsgType144Request(const std::string& recipientCode, const std::string& secondCode,
    const std::string& text, char replyFlag, char /*unused*/, int urgent, const std::string& field6,
    const std::string& field8, int mode)
{
    int code = 0;
    std::string request
        = BuildMsgType144Text(recipientCode, secondCode, text, replyFlag, urgent, field6, field8, mode, code);
    if (request.empty())
        return 0;
    const bool showHostText = ReplyLetter(replyFlag) != 'N';
    const int result
        = VORLTransaction(code, request.data(), static_cast<int>(request.size()), showHostText ? 1 : 0);
    if (!showHostText && result)
        KvMessageBox(Kv32LoadString(IDS_CMD_SENT), fw::MB_ICONINFORMATION);
    return result;
}
