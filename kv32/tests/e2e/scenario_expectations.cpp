// The player's checks of how many rows a window shows and in which order, of
// files the workstation wrote and documents it opened, and the time controls'
// input.
#include <QDateTime>

#include <fstream>
#include <sstream>

#include "fw/core/codepage.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/gridview.h"
#include "scenario_player.h"

namespace {

// The whole file; nullopt when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

void CScenarioPlayer::ExpectRowCount(const ScenarioStep& step)
{
    const std::optional<long> wanted = ScenarioNumber(step.args[0]);
    if (!wanted || *wanted < 0)
        return Fail(step, "\"" + step.args[0] + "\" is not a count");
    const std::vector<std::string> texts(step.args.begin() + 1, step.args.end());
    fw::GridView* grid = nullptr;
    long count = 0;
    const bool seen = WaitFor([&] {
        grid = FrontGrid();
        count = 0;
        for (int r = 0; grid != nullptr && r < grid->rowCount(); ++r)
            count += RowMatches(*grid, r, texts) ? 1 : 0;
        return grid != nullptr && count == *wanted;
    });
    if (!seen)
        Fail(step,
            grid == nullptr ? std::string("no list window is in front")
                            : std::to_string(count) + " such rows; the rows:" + Rows(*grid));
}

void CScenarioPlayer::ExpectOrder(const ScenarioStep& step)
{
    fw::GridView* grid = nullptr;
    const bool seen = WaitFor([&] {
        grid = FrontGrid();
        if (grid == nullptr || grid->rowCount() != static_cast<int>(step.args.size()))
            return false;
        for (int r = 0; r < grid->rowCount(); ++r)
            if (!RowMatches(*grid, r, { step.args[static_cast<size_t>(r)] }))
                return false;
        return true;
    });
    if (!seen)
        Fail(step,
            grid == nullptr ? std::string("no list window is in front")
                            : "the rows are not these, in this order:" + Rows(*grid));
}

void CScenarioPlayer::ExpectFile(const ScenarioStep& step)
{
    const std::optional<std::string> expected = FileBytes(step.args[1]);
    if (!expected)
        return Fail(step, step.args[1] + " cannot be read");
    std::optional<std::string> actual;
    if (WaitFor([&] { return (actual = FileBytes(step.args[0])) == expected; }))
        return;
    Fail(step,
        actual ? step.args[0] + " has " + std::to_string(actual->size()) + " bytes that differ from the "
                + std::to_string(expected->size()) + " expected"
               : step.args[0] + " does not exist");
}

void CScenarioPlayer::ExpectOpened(const ScenarioStep& step)
{
    const fw::ToCp1250Result text = fw::utf8ToCp1250(step.args[0]);
    const auto endsWith = [&](const std::string& path) {
        return path.size() >= text.text.size()
            && path.compare(path.size() - text.text.size(), text.text.size(), text.text) == 0;
    };
    size_t found = 0;
    const bool seen = WaitFor([&] {
        for (size_t i = m_openedSeen; i < m_opened.size(); ++i)
            if (endsWith(m_opened[i])) {
                found = i;
                return true;
            }
        return false;
    });
    if (!seen || !text.ok())
        return Fail(step, "no document ending with \"" + step.args[0] + "\" was opened");
    m_openedSeen = found + 1;
    Cover("document opened");
}

void CScenarioPlayer::SetTime(const ScenarioStep& step, QWidget& control)
{
    auto& field = static_cast<fw::DateTimeField&>(control);
    const QTime time = QTime::fromString(QString::fromStdString(step.args[1]), QStringLiteral("HH:mm:ss"));
    if (field.kind() != fw::DateTimeField::Kind::Time || !time.isValid())
        return Fail(step, "control " + step.args[0] + " takes a time of day as HH:MM:SS");
    field.setFocus();
    field.setValue(QDateTime(field.dateTime().date(), time));
    if (field.time() != time)
        Fail(step, "control " + step.args[0] + " did not take the time " + step.args[1]);
}
