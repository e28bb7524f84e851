#include "scenario_player.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QPixmap>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/ui/childframe.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/dialog.h"
#include "fw/ui/gridview.h"
#include "fw/ui/printing.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/news_opener.h"
#include "kv32/shell/tr_acc_local.h"
#include "kv32/windows/child_bar_frame.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/session_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/gridview/table_view.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/session/session_files.h"
#include "kvcore/ui/num_edit_widget.h"
#include "router_recorder.h"

namespace {

constexpr size_t kTraceLines = 60;

// Milliseconds since the player began, for the step log.
long long SinceStart()
{
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

std::string Utf8(const std::string& cp1250)
{
    return fw::cp1250ToUtf8(cp1250);
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// A cell matches its text exactly, or by its beginning when the text ends with
// '*'; "a|b" matches either (a text in each language).
bool CellMatches(const std::string& cell, const std::string& wanted)
{
    const size_t bar = wanted.find('|');
    if (bar != std::string::npos)
        return CellMatches(cell, wanted.substr(0, bar)) || CellMatches(cell, wanted.substr(bar + 1));
    if (!wanted.empty() && wanted.back() == '*')
        return cell.rfind(wanted.substr(0, wanted.size() - 1), 0) == 0;
    return cell == wanted;
}

// A text holds the wanted one; "a|b" either (a text in each language).
bool ContainsEither(const std::string& text, const std::string& wanted)
{
    const size_t bar = wanted.find('|');
    if (bar != std::string::npos)
        return ContainsEither(text, wanted.substr(0, bar)) || ContainsEither(text, wanted.substr(bar + 1));
    return text.find(wanted) != std::string::npos;
}

std::optional<int> BoxAnswer(const std::string& word)
{
    if (word == "ok")
        return fw::IDOK;
    if (word == "cancel")
        return fw::IDCANCEL;
    if (word == "yes")
        return fw::IDYES;
    if (word == "no")
        return fw::IDNO;
    return std::nullopt;
}

std::string Printable(const std::string& bytes)
{
    std::string out;
    for (char c : Utf8(bytes))
        out += (static_cast<unsigned char>(c) < 0x20) ? '.' : c;
    return out;
}

} // namespace

CScenarioPlayer::CScenarioPlayer(CKvApp& app, Options options)
    : m_app(app)
    , m_options(std::move(options))
{
    fw::Dialog::setModalHook([this](fw::Dialog& dialog) { OnDialog(dialog); });
    fw::setMessageBoxHook(
        [this](const std::string& text, uint32_t type) { return OnMessageBox(text, type); });
    fw::setFileDialogHook([this](const fw::FileDialogRequest&) -> std::optional<std::string> {
        Cover("event file dialog");
        if (m_files.empty() || m_files.front().empty()) {
            if (!m_files.empty())
                m_files.pop_front();
            return std::nullopt;
        }
        std::string path = m_files.front();
        m_files.pop_front();
        return path;
    });
    // The printer is a PDF file that the scenario names.
    fw::setPrintHook([this](const fw::PrintRequest& request) -> std::optional<std::string> {
        Cover(request.preview ? "event print preview" : "event print");
        std::string path = m_prints.empty() ? std::string() : m_prints.front();
        if (!m_prints.empty())
            m_prints.pop_front();
        return path.empty() ? std::nullopt : std::optional<std::string>(path);
    });
    KvSetTraceSink([this](const std::string& line) {
        std::fprintf(stderr, "kvcore trace: %s\n", Utf8(line).c_str());
        m_trace.push_back(Utf8(line));
        if (m_trace.size() > kTraceLines)
            m_trace.pop_front();
    });
    // A document is never handed to the desktop in a test: the player notes it.
    KvDesktopOpener() = [this](const std::string& path) {
        std::fprintf(stderr, "scenario: the desktop opens %s\n", Utf8(path).c_str());
        m_opened.push_back(path);
        return true;
    };
    if (!CRouterRecorder::Install())
        std::fprintf(stderr, "scenario: the router library could not be watched; record checks will fail\n");
    if (CMainFrameCore* frame = m_app.GetMainFrame())
        frame->resize(1280, 800);
}

CScenarioPlayer::~CScenarioPlayer()
{
    fw::Dialog::setModalHook({});
    fw::setMessageBoxHook({});
    fw::setFileDialogHook({});
    fw::setPrintHook({});
    KvSetTraceSink({});
    KvDesktopOpener() = {};
}

std::string CScenarioPlayer::Language() const
{
    return fw::language() == fw::Language::Hungarian ? "hu" : "en";
}

bool CScenarioPlayer::Play(const std::vector<ScenarioStep>& steps)
{
    m_steps = &steps;
    m_next = 0;
    RunSteps(nullptr);
    m_steps = nullptr;
    return !Failed();
}

void CScenarioPlayer::Finish()
{
    if (ps != nullptr) {
        m_answers.clear();
        fw::App::runCommandIfEnabled(m_app.GetMainFrame(), ID_KV_LOGOFF);
    }
    for (const RecordedMessage& m : CRouterRecorder::Sent())
        Cover("sent " + std::to_string(m.type));
    if (m_options.coveragePath.empty())
        return;
    std::ofstream out(m_options.coveragePath, std::ios::app);
    for (const std::string& line : m_coverage)
        out << line << '\n';
}

bool CScenarioPlayer::WaitFor(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_options.stepSeconds);
    // Each round lets the event loop run (timers, the router poll, posted
    // commands) for a moment; the count bounds the loop even if time stood still.
    const long rounds = static_cast<long>(m_options.stepSeconds) * 200;
    for (long i = 0; i < rounds; ++i) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            break;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void CScenarioPlayer::RunSteps(fw::Dialog* dialog)
{
    const std::vector<ScenarioStep>& steps = *m_steps;
    while (!Failed() && m_next < steps.size()) {
        if (dialog != nullptr && !dialog->isVisible())
            return;
        const ScenarioStep& step = steps[m_next];
        std::fprintf(
            stderr, "scenario: [%lld ms] %s: %s\n", SinceStart(), step.Where().c_str(), step.Text().c_str());
        if (step.kind == "dialog") {
            // The dialog's own loop takes this step when it opens.
            const size_t at = m_next;
            if (!WaitFor([&] { return m_next != at || Failed(); }))
                Fail(step, "no dialog " + step.args[0] + " opened");
            continue;
        }
        ++m_next;
        ScenarioStep expanded = step;
        std::string missing;
        for (std::string& arg : expanded.args)
            if (!ExpandEnvironment(arg, missing))
                return Fail(step, "the environment has no " + missing);
        const auto began = std::chrono::steady_clock::now();
        const std::string outerKind = m_stepKind;
        m_stepKind = step.kind;
        RunStep(expanded);
        m_stepKind = outerKind;
        NoteFrontWindow();
        const auto ms
            = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began)
                  .count();
        std::fprintf(stderr, "scenario: %s: %lld ms\n", step.Where().c_str(), static_cast<long long>(ms));
    }
}

void CScenarioPlayer::OnDialog(fw::Dialog& dialog)
{
    const std::string id = std::to_string(dialog.templateId());
    Cover("dialog " + id + " shown");
    // A dialog that no command or button of the user opened came from an
    // event: the logon, the host's pop-ups, a notice.
    if (m_stepKind != "command" && m_stepKind != "press")
        Cover("event dialog " + id);
    std::fprintf(stderr, "scenario: [%lld ms] dialog %s opened\n", SinceStart(), id.c_str());
    if (Failed() || m_steps == nullptr) {
        dialog.endDialog(fw::IDCANCEL);
        return;
    }
    const std::vector<ScenarioStep>& steps = *m_steps;
    const ScenarioStep& expected = steps[m_next < steps.size() ? m_next : steps.size() - 1];
    const bool wanted = m_next < steps.size() && expected.kind == "dialog" && expected.args[0] == id;
    if (const auto allowed = m_allowed.find(dialog.templateId()); !wanted && allowed != m_allowed.end()) {
        const uint32_t button = allowed->second;
        if (button != 0 && dialog.item(button) != nullptr && dialog.isItemEnabled(button)) {
            Cover("dialog " + id + " button " + std::to_string(button));
            dialog.userClick(button);
        }
        if (dialog.isVisible())
            dialog.endDialog(fw::IDCANCEL);
        return;
    }
    if (!wanted) {
        Fail(expected, "dialog " + id + " opened where the scenario does not expect it");
        dialog.endDialog(fw::IDCANCEL);
        return;
    }
    ++m_next;
    m_dialogs.push_back(&dialog);
    RunSteps(&dialog);
    if (dialog.isVisible() && !Failed())
        Fail(expected, "dialog " + id + " is still open at the end of the scenario");
    m_dialogs.pop_back();
    if (dialog.isVisible())
        dialog.endDialog(fw::IDCANCEL);
}

int CScenarioPlayer::OnMessageBox(const std::string& text, uint32_t type)
{
    const std::string shown = Utf8(text);
    int answer = fw::unattendedAnswer(type);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    std::fprintf(stderr, "kv32: message: %s (answer %d)\n", shown.c_str(), answer);
    m_boxes.push_back({ shown, type });
    Cover("event message box");
    // The hook stands in for the workstation's message box dialog: the box
    // was shown and the answer is the button its user pressed.
    Cover("dialog " + std::to_string(IDD_MESSAGE_BOX) + " shown");
    Cover("dialog " + std::to_string(IDD_MESSAGE_BOX) + " button " + std::to_string(answer));
    return answer;
}

void CScenarioPlayer::Fail(const ScenarioStep& step, const std::string& what)
{
    if (Failed())
        return;
    m_failure = step.Where() + ": " + what;
    std::fprintf(stderr, "\nscenario FAILED at %s: %s\n  %s\n", step.Where().c_str(), step.Text().c_str(),
        what.c_str());
    const std::string picture = "failed-" + step.file + "-" + std::to_string(step.line);
    Shot(picture);
    if (!m_options.shotDir.empty())
        std::fprintf(stderr, "  picture: %s/%s-%s.png\n", m_options.shotDir.c_str(), picture.c_str(),
            Language().c_str());
    const auto& sent = CRouterRecorder::Sent();
    std::fprintf(stderr, "  last records sent:\n");
    for (size_t i = sent.size() > 8 ? sent.size() - 8 : 0; i < sent.size(); ++i)
        std::fprintf(stderr, "    %d (%zu bytes) %s\n", sent[i].type, sent[i].bytes.size(),
            Printable(sent[i].bytes.substr(0, 100)).c_str());
    std::fprintf(stderr, "  message boxes:\n");
    for (const Box& box : m_boxes)
        std::fprintf(stderr, "    %s\n", box.text.c_str());
    std::fprintf(stderr, "  trace:\n");
    for (const std::string& line : m_trace)
        std::fprintf(stderr, "    %s\n", line.c_str());
}

std::optional<uint32_t> CScenarioPlayer::Id(const ScenarioStep& step, size_t arg)
{
    const std::optional<long> n = ScenarioNumber(step.args[arg]);
    if (!n || *n < 0 || *n > 0xFFFFFFFFL) {
        Fail(step, "\"" + step.args[arg] + "\" is not an id");
        return std::nullopt;
    }
    return static_cast<uint32_t>(*n);
}

void CScenarioPlayer::RunStep(const ScenarioStep& step)
{
    const std::string& kind = step.kind;
    fw::Dialog* dialog = m_dialogs.empty() ? nullptr : m_dialogs.back();
    const bool needsDialog = kind == "set" || kind == "check" || kind == "press" || kind == "expect-text"
        || kind == "expect-check" || kind == "expect-item";
    if (needsDialog && dialog == nullptr)
        return Fail(step, "no dialog is open");
    if (kind == "accounts")
        WriteAccounts(step);
    else if (kind == "logon")
        Logon(step);
    else if (kind == "logoff")
        Logoff(step);
    else if (kind == "open") {
        const auto id = Id(step, 0);
        if (!id)
            return;
        CTDoc* doc = m_app.OpenTable(*id, true, true, nullptr);
        if (doc == nullptr)
            return Fail(step, "table window " + step.args[0] + " did not open");
        Cover("table " + step.args[0]);
        if (CMainFrameCore* frame = m_app.GetMainFrame())
            if (fw::ChildFrame* child = frame->activeChild()) {
                child->resize(1240, 360);
                m_frontChild = child;
            }
    } else if (kind == "command" || kind == "disabled" || kind == "enabled")
        Command(step, kind);
    else if (kind == "allow-dialog") {
        const auto id = Id(step, 0);
        const auto button = step.args.size() > 1 ? Id(step, 1) : std::optional<uint32_t>(0);
        if (id && button)
            m_allowed[*id] = *button;
    } else if (kind == "set")
        SetControl(step, *dialog);
    else if (kind == "check") {
        const auto id = Id(step, 0);
        if (!id)
            return;
        const int wanted = step.args[1] == "1" ? 1 : 0;
        if (dialog->item(*id) == nullptr)
            return Fail(
                step, "dialog " + std::to_string(dialog->templateId()) + " has no control " + step.args[0]);
        if (!dialog->isItemEnabled(*id))
            return Fail(step, "control " + step.args[0] + " is disabled");
        if (dialog->isButtonChecked(*id) != wanted)
            dialog->userClick(*id);
        if (dialog->isButtonChecked(*id) != wanted)
            return Fail(step, "control " + step.args[0] + " did not take the state " + step.args[1]);
    } else if (kind == "press")
        Press(step, *dialog);
    else if (kind == "answer") {
        const auto answer = BoxAnswer(step.args[0]);
        if (!answer)
            return Fail(step, "an answer is ok, cancel, yes or no");
        m_answers.push_back(*answer);
    } else if (kind == "file")
        m_files.push_back(step.args[0] == "cancel" ? std::string() : step.args[0]);
    else if (kind == "print")
        m_prints.push_back(step.args[0] == "cancel" ? std::string() : step.args[0]);
    else if (kind == "expect-box") {
        size_t found = m_boxes.size();
        const bool seen = WaitFor([&] {
            for (size_t i = m_boxesSeen; i < m_boxes.size(); ++i)
                if (ContainsEither(m_boxes[i].text, step.args[0])) {
                    found = i;
                    return true;
                }
            return false;
        });
        if (!seen) {
            std::string shown;
            for (size_t i = m_boxesSeen; i < m_boxes.size(); ++i)
                shown += "\n    \"" + m_boxes[i].text + "\"";
            return Fail(
                step, "no message box with \"" + step.args[0] + "\"; shown since the last check:" + shown);
        }
        m_boxesSeen = found + 1;
    } else if (kind == "expect-sent")
        ExpectSent(step);
    else if (kind == "expect-reply")
        ExpectReply(step);
    else if (kind == "expect-row")
        ExpectRow(step);
    else if (kind == "expect-in-file")
        ExpectInFile(step);
    else if (kind == "expect-title") {
        std::string title;
        const bool seen = WaitFor([&] {
            fw::GridView* grid = FrontGrid();
            title = grid != nullptr && grid->parentFrame() != nullptr
                ? grid->parentFrame()->windowTitle().toStdString()
                : std::string();
            return title.find(step.args[0]) != std::string::npos;
        });
        if (!seen)
            Fail(step, "the window in front is titled \"" + title + "\"");
    } else if (kind == "expect-pane")
        ExpectPane(step);
    else if (kind == "expect-text") {
        const auto id = Id(step, 0);
        if (!id)
            return;
        std::string text;
        if (!WaitFor([&] {
                text = Utf8(dialog->itemText(*id));
                return ContainsEither(text, step.args[1]);
            }))
            Fail(step, "control " + step.args[0] + " shows \"" + text + "\"");
    } else if (kind == "expect-rows")
        ExpectRowCount(step);
    else if (kind == "expect-order")
        ExpectOrder(step);
    else if (kind == "expect-file")
        ExpectFile(step);
    else if (kind == "expect-opened")
        ExpectOpened(step);
    else if (kind == "expect-check") {
        const auto id = Id(step, 0);
        if (!id)
            return;
        if (dialog->item(*id) == nullptr)
            return Fail(
                step, "dialog " + std::to_string(dialog->templateId()) + " has no control " + step.args[0]);
        const int wanted = step.args[1] == "1" ? 1 : 0;
        if (!WaitFor([&] { return (dialog->isButtonChecked(*id) != 0 ? 1 : 0) == wanted; }))
            Fail(step, "control " + step.args[0] + " is " + (wanted != 0 ? "not checked" : "checked"));
    } else if (kind == "expect-item")
        ExpectItem(step, *dialog);
    else if (kind == "row" || kind == "also-row" || kind == "double-click")
        SelectRow(step);
    else if (kind == "shot")
        Shot(step.args[0]);
    else if (kind == "close") {
        CMainFrameCore* frame = m_app.GetMainFrame();
        fw::ChildFrame* child = frame != nullptr ? frame->activeChild() : nullptr;
        if (child == nullptr)
            return Fail(step, "no window is open");
        if (const std::uint32_t table = FrontTable())
            Cover("table " + std::to_string(table) + " closed");
        child->closeWithoutAsking();
        WaitFor([&] { return frame->activeChild() != child; });
    } else
        Fail(step, "the step is not known to the player");
}

void CScenarioPlayer::WriteAccounts(const ScenarioStep& step)
{
    const char* env = std::getenv("kv3userpath");
    const std::string folder = KvSettingsFolder(env != nullptr ? std::string(env) : std::string("."));
    CTrAccLocalArray accounts;
    for (size_t i = 1; i < step.args.size(); ++i)
        accounts.m_entries.push_back({ step.args[i], step.args[i] });
    if (!accounts.SaveFile(folder + step.args[0] + ".tra"))
        Fail(step, "the accounts file could not be written in " + folder);
}

void CScenarioPlayer::Logon(const ScenarioStep& step)
{
    if (ps != nullptr) {
        Logoff(step);
        if (Failed())
            return;
    }
    const std::string& user = step.args[0];
    const std::string password = step.args.size() > 1 ? step.args[1] : "Pass-" + user;
    if (!LogonAndConnect(user, password))
        return Fail(step, "the router refused the logon of " + user);
    fw::App::runCommandIfEnabled(m_app.GetMainFrame(), ID_KV_LOGON);
    if (ps == nullptr)
        return Fail(step, "no session started for " + user);
    m_user = user;
    Cover("logon");
    Cover("logon " + user);
    Cover("command " + std::to_string(ID_KV_LOGON) + " run");
}

void CScenarioPlayer::Logoff(const ScenarioStep& step)
{
    if (ps == nullptr)
        return Fail(step, "no session to log off");
    if (!fw::App::runCommandIfEnabled(m_app.GetMainFrame(), ID_KV_LOGOFF))
        return Fail(step, "log off is disabled");
    Cover("command " + std::to_string(ID_KV_LOGOFF) + " run");
    if (!WaitFor([] { return ps == nullptr && (pvorl == nullptr || !pvorl->IsConnect()); }))
        Fail(step, "the session did not end");
}

void CScenarioPlayer::Command(const ScenarioStep& step, const std::string& kind)
{
    const auto id = Id(step, 0);
    if (!id)
        return;
    CMainFrameCore* frame = m_app.GetMainFrame();
    const auto isEnabled = [&] {
        fw::CmdUI ui(*id, fw::CmdUI::Source::Menu);
        frame->routeUpdate(ui);
        return ui.enabled() && !ui.removed();
    };
    // A command that a host's answer enables may take that answer's round trip.
    if (kind == "enabled") {
        if (!WaitFor(isEnabled))
            Fail(step, "command " + step.args[0] + " is disabled");
        return;
    }
    const bool enabled = isEnabled();
    if (kind == "disabled") {
        if (enabled)
            return Fail(step, "command " + step.args[0] + " is enabled");
        Cover("command " + step.args[0] + " disabled");
        Cover("command " + step.args[0] + " disabled for " + m_user);
        return;
    }
    if (!enabled)
        return Fail(step, "command " + step.args[0] + " is disabled");
    Cover("command " + step.args[0] + " run");
    if (const std::uint32_t table = FrontTable())
        Cover("table " + std::to_string(table) + " command " + step.args[0]);
    if (!frame->onMenuCommand(*id) && !Failed())
        Fail(step, "command " + step.args[0] + " did not run");
}

void CScenarioPlayer::SetControl(const ScenarioStep& step, fw::Dialog& dialog)
{
    const auto id = Id(step, 0);
    if (!id)
        return;
    QWidget* w = dialog.item(*id);
    if (w == nullptr)
        return Fail(
            step, "dialog " + std::to_string(dialog.templateId()) + " has no control " + step.args[0]);
    if (!dialog.isItemEnabled(*id))
        return Fail(step, "control " + step.args[0] + " is disabled");
    if (qobject_cast<fw::DateTimeField*>(w) != nullptr)
        return SetTime(step, *w);
    const fw::ToCp1250Result value = fw::utf8ToCp1250(step.args[1]);
    if (!value.ok())
        return Fail(step, "the value has a character outside Windows-1250");
    if (auto* number = qobject_cast<KvNumEditWidget*>(w)) {
        // The number edit takes keys, as the user types them over its whole text.
        number->setFocus();
        number->engine().SetSelAll();
        for (const char c : value.text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QLatin1Char(c)));
            QApplication::sendEvent(number, &press);
        }
        return;
    }
    auto* tabs = qobject_cast<QTabBar*>(w);
    if (tabs == nullptr)
        tabs = w->findChild<QTabBar*>();
    if (tabs != nullptr) {
        for (int i = 0; i < tabs->count(); ++i)
            if (CellMatches(fw::utf8ToCp1250(tabs->tabText(i).remove(QLatin1Char('&')).toStdString()).text,
                    value.text)) {
                tabs->setCurrentIndex(i);
                return;
            }
        return Fail(step, "control " + step.args[0] + " has no tab \"" + step.args[1] + "\"");
    }
    auto* combo = qobject_cast<QComboBox*>(w);
    if (combo != nullptr || qobject_cast<QListWidget*>(w) != nullptr) {
        // An item's text in each language: "a|b" picks whichever the list has.
        int index = -1;
        for (size_t from = 0; index < 0 && from <= value.text.size();) {
            const size_t bar = std::min(value.text.find('|', from), value.text.size());
            const std::string wanted = value.text.substr(from, bar - from);
            index = dialog.findStringExact(*id, -1, wanted);
            if (index < 0)
                index = dialog.findString(*id, -1, wanted);
            from = bar + 1;
        }
        if (index >= 0) {
            dialog.userSelect(*id, index);
            return;
        }
        if (combo == nullptr || !combo->isEditable()) {
            std::string items;
            for (int i = 0; i < dialog.itemCount(*id) && i < 20; ++i)
                items += " \"" + Utf8(dialog.itemString(*id, i)) + "\"";
            return Fail(
                step, "control " + step.args[0] + " has no item \"" + step.args[1] + "\"; items:" + items);
        }
    } else if (qobject_cast<QAbstractButton*>(w) != nullptr)
        return Fail(step, "control " + step.args[0] + " is a button: use check or press");
    dialog.userType(*id, value.text);
}

void CScenarioPlayer::ExpectItem(const ScenarioStep& step, fw::Dialog& dialog)
{
    const auto id = Id(step, 0);
    if (!id)
        return;
    if (dialog.item(*id) == nullptr)
        return Fail(
            step, "dialog " + std::to_string(dialog.templateId()) + " has no control " + step.args[0]);
    const fw::ToCp1250Result text = fw::utf8ToCp1250(step.args[1]);
    if (!text.ok())
        return Fail(step, "the text has a character outside Windows-1250");
    const bool wanted = step.args.size() < 3 || step.args[2] != "0";
    if (WaitFor([&] { return (dialog.findString(*id, -1, text.text) >= 0) == wanted; }))
        return;
    std::string items;
    for (int i = 0; i < dialog.itemCount(*id) && i < 20; ++i)
        items += " \"" + Utf8(dialog.itemString(*id, i)) + "\"";
    Fail(step,
        "control " + step.args[0] + (wanted ? " has no item \"" : " still has an item \"") + step.args[1]
            + "\"; items:" + items);
}

void CScenarioPlayer::Press(const ScenarioStep& step, fw::Dialog& dialog)
{
    uint32_t id = 0;
    if (step.args[0] == "ok")
        id = fw::kIdOk;
    else if (step.args[0] == "cancel")
        id = fw::kIdCancel;
    else if (const auto n = Id(step, 0))
        id = *n;
    else
        return;
    if (dialog.item(id) == nullptr)
        return Fail(step, "dialog " + std::to_string(dialog.templateId()) + " has no button " + step.args[0]);
    if (!dialog.isItemEnabled(id))
        return Fail(step, "button " + step.args[0] + " is disabled");
    Cover("dialog " + std::to_string(dialog.templateId()) + " button " + std::to_string(id));
    dialog.userClick(id);
}

void CScenarioPlayer::ExpectSent(const ScenarioStep& step)
{
    const auto type = Id(step, 0);
    if (!type)
        return;
    std::optional<long> offset;
    std::string bytes;
    if (step.args.size() > 1) {
        offset = ScenarioNumber(step.args[1]);
        const fw::ToCp1250Result text = fw::utf8ToCp1250(step.args.size() > 2 ? step.args[2] : std::string());
        if (!offset || *offset < 0 || !text.ok())
            return Fail(step, "expect-sent TYPE OFFSET TEXT needs a number and a Windows-1250 text");
        bytes = text.text;
    }
    const auto& sent = CRouterRecorder::Sent();
    size_t found = 0;
    const bool seen = WaitFor([&] {
        for (size_t i = m_sentSeen; i < sent.size(); ++i) {
            if (sent[i].type != static_cast<int>(*type))
                continue;
            if (offset && sent[i].bytes.compare(static_cast<size_t>(*offset), bytes.size(), bytes) != 0)
                continue;
            found = i;
            return true;
        }
        return false;
    });
    if (!seen) {
        std::string list;
        for (size_t i = m_sentSeen; i < sent.size(); ++i)
            if (sent[i].type == static_cast<int>(*type))
                list += "\n    \"" + Printable(sent[i].bytes) + "\"";
        return Fail(
            step, "no such record " + step.args[0] + " was sent; of its type since the last check:" + list);
    }
    m_sentSeen = found + 1;
}

void CScenarioPlayer::ExpectReply(const ScenarioStep& step)
{
    const fw::ToCp1250Result text = fw::utf8ToCp1250(step.args[0]);
    std::optional<long> type;
    if (step.args.size() > 1 && !(type = ScenarioNumber(step.args[1])))
        return Fail(step, "\"" + step.args[1] + "\" is not a message type");
    if (!text.ok())
        return Fail(step, "the text has a character outside Windows-1250");
    const auto& received = CRouterRecorder::Received();
    size_t found = 0;
    const bool seen = WaitFor([&] {
        for (size_t i = m_receivedSeen; i < received.size(); ++i)
            if ((!type || received[i].type == *type)
                && received[i].bytes.find(text.text) != std::string::npos) {
                found = i;
                return true;
            }
        return false;
    });
    if (!seen)
        return Fail(step, "no record from the host contains \"" + step.args[0] + "\"");
    m_receivedSeen = found + 1;
}

void CScenarioPlayer::ExpectInFile(const ScenarioStep& step)
{
    std::vector<std::string> wanted;
    for (size_t i = 1; i < step.args.size(); ++i) {
        const fw::ToCp1250Result text = fw::utf8ToCp1250(step.args[i]);
        if (!text.ok())
            return Fail(step, "the text \"" + step.args[i] + "\" has a character outside Windows-1250");
        wanted.push_back(text.text);
    }
    // A file the program writes later than the step that asked for it is
    // waited for; what it holds is read again on every round.
    std::string bytes;
    std::string missing;
    const bool seen = WaitFor([&] {
        std::ifstream in(step.args[0], std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        for (const std::string& text : wanted)
            if (bytes.find(text) == std::string::npos) {
                missing = text;
                return false;
            }
        return true;
    });
    if (seen)
        return;
    if (!std::filesystem::exists(step.args[0]))
        return Fail(step, "there is no file " + step.args[0]);
    Fail(step,
        "the file has no \"" + Utf8(missing) + "\"; it begins:\n    " + Printable(bytes.substr(0, 300)));
}

void CScenarioPlayer::ExpectPane(const ScenarioStep& step)
{
    const auto index = ScenarioNumber(step.args[0]);
    if (!index || *index < 0 || *index >= CTChildBarFrame::kPaneCount)
        return Fail(step, "\"" + step.args[0] + "\" is not a pane of the window's status bar");
    std::string text;
    const bool seen = WaitFor([&] {
        CMainFrameCore* frame = m_app.GetMainFrame();
        const auto* child = frame != nullptr ? dynamic_cast<const CTChildBarFrame*>(frame->activeChild()) : nullptr;
        text = child != nullptr ? Utf8(child->GetPaneText(static_cast<int>(*index))) : std::string();
        return child != nullptr && ContainsEither(text, step.args[1]);
    });
    if (!seen)
        Fail(step, "pane " + step.args[0] + " of the window in front shows \"" + text + "\"");
}

fw::GridView* CScenarioPlayer::FrontGrid() const
{
    CMainFrameCore* frame = m_app.GetMainFrame();
    return frame != nullptr ? dynamic_cast<fw::GridView*>(frame->activeView()) : nullptr;
}

std::uint32_t CScenarioPlayer::FrontTable() const
{
    CMainFrameCore* frame = m_app.GetMainFrame();
    const auto* view = frame != nullptr ? dynamic_cast<const CTView*>(frame->activeView()) : nullptr;
    return view != nullptr ? view->GetViewID() : 0;
}

void CScenarioPlayer::NoteFrontWindow()
{
    CMainFrameCore* frame = m_app.GetMainFrame();
    fw::ChildFrame* child = frame != nullptr ? frame->activeChild() : nullptr;
    if (child == m_frontChild)
        return;
    m_frontChild = child;
    if (const std::uint32_t table = FrontTable()) {
        Cover("table " + std::to_string(table));
        child->resize(1240, 360);
    }
}

bool CScenarioPlayer::RowMatches(fw::GridView& grid, int row, const std::vector<std::string>& texts) const
{
    fw::GridSource* source = grid.source();
    if (source == nullptr)
        return false;
    const int cols = grid.colCount();
    for (const std::string& wanted : texts) {
        bool cell = false;
        for (int c = 0; c < cols && !cell; ++c) {
            fw::CellStyle style;
            source->cellStyle(row + 1, c + 1, style);
            cell = CellMatches(Trimmed(Utf8(style.value)), wanted);
        }
        if (!cell)
            return false;
    }
    return true;
}

int CScenarioPlayer::FindRow(fw::GridView& grid, const std::vector<std::string>& texts) const
{
    const int rows = grid.rowCount();
    for (int r = 0; r < rows; ++r)
        if (RowMatches(grid, r, texts))
            return r;
    return -1;
}

std::string CScenarioPlayer::Rows(fw::GridView& grid) const
{
    std::string out;
    fw::GridSource* source = grid.source();
    for (int r = 0; source != nullptr && r < grid.rowCount() && r < 12; ++r) {
        out += "\n   ";
        for (int c = 0; c < grid.colCount(); ++c) {
            fw::CellStyle style;
            source->cellStyle(r + 1, c + 1, style);
            out += " |" + Trimmed(Utf8(style.value));
        }
    }
    return out;
}

void CScenarioPlayer::ExpectRow(const ScenarioStep& step)
{
    fw::GridView* grid = nullptr;
    const bool seen = WaitFor([&] {
        grid = FrontGrid();
        return grid != nullptr && FindRow(*grid, step.args) >= 0;
    });
    if (!seen)
        Fail(step,
            grid == nullptr ? std::string("no list window is in front")
                            : "no such row; the rows:" + Rows(*grid));
}

void CScenarioPlayer::SelectRow(const ScenarioStep& step)
{
    fw::GridView* grid = nullptr;
    int row = -1;
    const bool seen = WaitFor([&] {
        grid = FrontGrid();
        row = grid != nullptr ? FindRow(*grid, step.args) : -1;
        return row >= 0;
    });
    if (!seen)
        return Fail(step,
            grid == nullptr ? std::string("no list window is in front")
                            : "no row " + step.args[0] + "; the rows:" + Rows(*grid));
    const bool add = step.kind == "also-row";
    if (!add)
        grid->clearSelection();
    grid->selectRange({ row + 1, 1, row + 1, grid->colCount() }, add);
    if (!add)
        grid->setCurrentCell(row + 1, 1);
    if (step.kind == "double-click") {
        Cover("double-click");
        grid->onCellDoubleClicked(row + 1, 1);
    }
}

void CScenarioPlayer::Shot(const std::string& name)
{
    if (m_options.shotDir.empty())
        return;
    // The scenario's own dialog, even when a host event's dialog is opening over it.
    QWidget* target = m_dialogs.empty() ? QApplication::activeModalWidget() : m_dialogs.back();
    CMainFrameCore* frame = m_app.GetMainFrame();
    if (target == nullptr && frame != nullptr)
        target = frame->activeChild();
    if (target == nullptr)
        target = frame;
    if (target == nullptr)
        return;
    QDir().mkpath(QString::fromStdString(m_options.shotDir));
    const std::string path = m_options.shotDir + "/" + name + "-" + Language() + ".png";
    if (!target->grab().save(QString::fromStdString(path)))
        std::fprintf(stderr, "scenario: the picture %s could not be written\n", path.c_str());
}
