// Records what the program's logic shows and posts instead of a windowed
// shell: message boxes (text and flags), beeps, status-bar texts and posted
// commands. Installed for its lifetime.
#pragma once

#include <string>
#include <vector>

#include "kv32/shell/ui_port.h"

namespace kv32test {

struct Box {
    std::string text;
    unsigned flags = 0;
};

class UiRecorder : public CKvUiPort {
public:
    UiRecorder();
    ~UiRecorder() override;
    UiRecorder(const UiRecorder&) = delete;
    UiRecorder& operator=(const UiRecorder&) = delete;

    void Beep(unsigned type) override { beeps.push_back(type); }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void PostCommand(unsigned commandId) override { posted.push_back(commandId); }
    void SetLogText(const std::string& text) override { logTexts.push_back(text); }
    void PostNotify(unsigned message) override { notified.push_back(message); }
    bool HasSession() const override { return session; }
    bool IsMainWindowEnabled() const override { return windowEnabled; }

    // The answer every message box gives.
    int boxAnswer = 1;
    bool session = true;
    bool windowEnabled = true;

    std::vector<Box> boxes;
    std::vector<unsigned> beeps;
    std::vector<std::string> statusTexts;
    std::vector<unsigned> posted;
    std::vector<std::string> logTexts;
    std::vector<unsigned> notified;
};

} // namespace kv32test
