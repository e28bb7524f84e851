// Plays scenarios in the running workstation: each step does what a user
// does (log on, open a window, pick a row, run a command, fill a dialog and
// press its button, answer a message box) or checks what the user sees or
// what went to the host. Modal dialogs run their steps inside their own loop:
// the steps after "dialog" up to the one that closes it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "scenario.h"

class CKvApp;
class QWidget;
namespace fw {
class Dialog;
class GridView;
} // namespace fw

class CScenarioPlayer {
public:
    struct Options {
        std::string shotDir; // pictures; none when empty
        std::string coveragePath; // the coverage log; none when empty
        int stepSeconds = 60; // the longest wait of one step
    };
    CScenarioPlayer(CKvApp& app, Options options);
    ~CScenarioPlayer();
    CScenarioPlayer(const CScenarioPlayer&) = delete;
    CScenarioPlayer& operator=(const CScenarioPlayer&) = delete;

    // Plays every step; false at the first step that fails (reported on
    // standard error with a picture and the trace).
    bool Play(const std::vector<ScenarioStep>& steps);
    // Logs off a session that is still open and writes the coverage log.
    void Finish();

private:
    struct Box {
        std::string text; // UTF-8
        uint32_t type = 0;
    };

    void RunSteps(fw::Dialog* dialog);
    void RunStep(const ScenarioStep& step);
    void RunDialogStep(const ScenarioStep& step);
    void OnDialog(fw::Dialog& dialog);
    int OnMessageBox(const std::string& text, uint32_t type);
    bool WaitFor(const std::function<bool()>& done);
    void Fail(const ScenarioStep& step, const std::string& what);
    bool Failed() const { return !m_failure.empty(); }

    // Steps.
    void Logon(const ScenarioStep& step);
    void Logoff(const ScenarioStep& step);
    void WriteAccounts(const ScenarioStep& step);
    void Command(const ScenarioStep& step, const std::string& kind);
    void ExpectPane(const ScenarioStep& step);
    void SetControl(const ScenarioStep& step, fw::Dialog& dialog);
    void Press(const ScenarioStep& step, fw::Dialog& dialog);
    void ExpectItem(const ScenarioStep& step, fw::Dialog& dialog);
    void ExpectSent(const ScenarioStep& step);
    void ExpectReply(const ScenarioStep& step);
    void ExpectRow(const ScenarioStep& step);
    void ExpectInFile(const ScenarioStep& step);
    void SelectRow(const ScenarioStep& step);
    // The checks of scenario_expectations.cpp.
    void ExpectRowCount(const ScenarioStep& step);
    void ExpectOrder(const ScenarioStep& step);
    void ExpectFile(const ScenarioStep& step);
    void ExpectOpened(const ScenarioStep& step);
    void SetTime(const ScenarioStep& step, QWidget& control);
    void Shot(const std::string& name);

    fw::GridView* FrontGrid() const;
    // The table id of the list window in front; 0 when none is.
    std::uint32_t FrontTable() const;
    // Notes a list window that came to the front since the last step.
    void NoteFrontWindow();
    // The first grid row (from 0) that has every text as a cell; -1 for none.
    int FindRow(fw::GridView& grid, const std::vector<std::string>& texts) const;
    bool RowMatches(fw::GridView& grid, int row, const std::vector<std::string>& texts) const;
    std::string Rows(fw::GridView& grid) const;
    std::optional<uint32_t> Id(const ScenarioStep& step, size_t arg);
    void Cover(const std::string& line) { m_coverage.insert(line); }
    std::string Language() const;

    CKvApp& m_app;
    Options m_options;
    const std::vector<ScenarioStep>* m_steps = nullptr;
    size_t m_next = 0;
    std::vector<fw::Dialog*> m_dialogs; // open scenario dialogs, innermost last
    std::deque<int> m_answers;
    std::deque<std::string> m_files; // answers of file dialogs; "" cancels
    std::deque<std::string> m_prints; // PDF files of print dialogs; "" cancels
    std::vector<Box> m_boxes;
    size_t m_boxesSeen = 0;
    size_t m_sentSeen = 0;
    size_t m_receivedSeen = 0;
    std::deque<std::string> m_trace;
    std::set<std::string> m_coverage;
    std::map<uint32_t, uint32_t>
        m_allowed; // dialogs that pop up by themselves: template -> button (0: cancel)
    std::vector<std::string> m_opened; // documents given to the desktop, which opens none of them
    size_t m_openedSeen = 0;
    std::string m_failure;
    std::string m_user; // who is logged on
    std::string m_stepKind; // the step that runs now: a dialog it opens came from the user
    const void* m_frontChild = nullptr; // the window in front after the last step
};
