#include "support/ui_recorder.h"

#include "kvcore/app/message_box.h"

namespace kv32test {

UiRecorder::UiRecorder()
{
    KvSetUiPort(this);
    KvSetMessageBoxHook([this](const std::string& text, unsigned flags) {
        boxes.push_back({ text, flags });
        return boxAnswer;
    });
}

UiRecorder::~UiRecorder()
{
    KvSetMessageBoxHook(nullptr);
    if (KvUiPort() == this)
        KvSetUiPort(nullptr);
}

} // namespace kv32test
