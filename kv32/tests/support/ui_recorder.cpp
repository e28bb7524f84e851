#include "support/ui_recorder.h"

#include "kvcore/app/message_box.h"

namespace kv32test {

UiRecorder::UiRecorder()
{
    KvSetUiPort(this);
    fw::setMessageBoxHook([this](const std::string& text, std::uint32_t flags) {
        boxes.push_back({ text, flags });
        return boxAnswer;
    });
}

UiRecorder::~UiRecorder()
{
    fw::setMessageBoxHook(nullptr);
    if (KvUiPort() == this)
        KvSetUiPort(nullptr);
}

} // namespace kv32test
