#pragma once
// Test support for windows and dialogs: modal dialogs driven by a script, scripted answers for
// message boxes, popup menus and common dialogs, and manual time for timers.
#include "fw/core/clock.h"
#include "fw/core/menu.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/dialog.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fw {
class CmdTarget;
}

namespace fw::test {

using DialogScript = std::function<void(Dialog&)>;

void modalHook(Dialog& dialog);

// Runs dialog.doModal() with script running inside its modal loop. A script that leaves the
// dialog open is a test failure: the dialog is then cancelled so the test never hangs.
int runModal(Dialog& dialog, DialogScript script);

// Installs every hook for its lifetime. Answers are consumed in order; what arrives without a
// queued answer is recorded, answered with Cancel (or nothing) and reported as a test failure.
class Script {
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Message boxes: the answer (IDOK, IDYES, ...) for the next box; texts are recorded.
    void answerMessageBox(int result) { boxAnswers_.push_back(result); }
    const std::vector<std::string>& messageBoxes() const { return boxTexts_; }
    const std::vector<uint32_t>& messageBoxTypes() const { return boxTypes_; }

    // Popup menus: the command to choose in the next one (0 dismisses it); shown menus are kept.
    void answerPopup(uint32_t id) { popupAnswers_.push_back(id); }
    const std::vector<Menu>& popups() const { return popups_; }

    // Common dialogs.
    void answerFile(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }
    const std::vector<FileDialogRequest>& fileRequests() const { return fileRequests_; }
    void answerColor(std::optional<uint32_t> color) { colorAnswers_.push_back(color); }
    void answerFont(std::optional<FontChoice> font) { fontAnswers_.push_back(std::move(font)); }
    // Print and preview requests: the PDF file to print into, or nothing to cancel.
    void answerPrint(std::optional<std::string> pdfPath) { printAnswers_.push_back(std::move(pdfPath)); }

    // Dialogs opened with doModal by code under test: the next one with this template id runs
    // the script.
    void expectDialog(uint32_t templateId, DialogScript script);
    const std::vector<uint32_t>& dialogsShown() const { return dialogsShown_; }

    // Everything queued was used.
    bool allAnswersUsed() const;

private:
    friend void modalHook(Dialog&);
    std::deque<int> boxAnswers_;
    std::vector<std::string> boxTexts_;
    std::vector<uint32_t> boxTypes_;
    std::deque<uint32_t> popupAnswers_;
    std::vector<Menu> popups_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::vector<FileDialogRequest> fileRequests_;
    std::deque<std::optional<uint32_t>> colorAnswers_;
    std::deque<std::optional<FontChoice>> fontAnswers_;
    std::deque<std::optional<std::string>> printAnswers_;
    std::multimap<uint32_t, DialogScript> dialogScripts_;
    std::vector<uint32_t> dialogsShown_;
};

// A manual clock installed for its lifetime: the application's timers, the trading time and the
// router session's ticks follow it; advance() fires the timers that fall due.
class ManualClock : public fw::ManualClock {
public:
    ManualClock() : scope_(*this) {}
    // One tick of one timer, whatever its period.
    static void tick(CmdTarget& target, uint32_t timerId);
    int64_t now() const { return steadyMs(); }

private:
    ClockScope scope_;
};

// Processes posted events and timers that are already due (bounded).
void processEvents();

} // namespace fw::test
