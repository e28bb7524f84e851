// Sending a user message, a change of a waiting message, or its withdrawal.
#pragma once

#include <string>

// Mode 0: a new message (transaction 144): user, second code, recipient code,
// the urgent letter, the reply-flag letter, the 6-byte field (send time) and
// the text (640). Mode 1: the same with the 8-byte field (message key) before
// the text (169). Mode 2: user and the 8-byte field (170). A reply-flag
// letter of 0 counts as 'N'; with 'N' the host's acceptance is not shown but
// "Command sent." is. A field longer than its width sends nothing (0), as
// does any other mode. The result is the transaction's.
int SendMsgType144Request(const std::string& recipientCode, const std::string& secondCode,
    const std::string& text, char replyFlag, char unused, int urgent, const std::string& field6,
    const std::string& field8, int mode);

// The text that SendMsgType144Request sends, and its transaction code;
// empty when a field does not fit or the mode is unknown.
std::string BuildMsgType144Text(const std::string& recipientCode, const std::string& secondCode,
    const std::string& text, char replyFlag, int urgent, const std::string& field6, const std::string& field8,
    int mode, int& code);
