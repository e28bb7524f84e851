#include "fw/ui/toolbars.h"

#include "fw/core/archive.h"
#include "fw/ui/icons.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QAction>
#include <QToolBar>
#include <algorithm>

namespace fw {

namespace {
constexpr uint32_t kStateMagic = 0x42415253; // "SRAB": our layout record, not Qt's bytes alone
constexpr uint16_t kStateVersion = 1;
} // namespace

CommandBars::CommandBars(MainFrame& frame) : QObject(&frame), frame_(frame) {}

CommandBars::~CommandBars() = default;

uint32_t CommandBars::barIdOf(int n)
{
    // The first bar takes the standard toolbar id; the ids after it up to 59396 belong to the
    // status bar and other frame bars.
    return n == 0 ? 59392u : 59396u + static_cast<uint32_t>(n);
}

QString CommandBars::objectNameOf(uint32_t barId)
{
    return QStringLiteral("bar%1").arg(barId);
}

void CommandBars::setTexts(std::function<std::string(uint32_t)> title, std::function<std::string(uint32_t)> buttonText,
                           std::function<std::string(uint32_t)> prompt)
{
    title_ = std::move(title);
    text_ = std::move(buttonText);
    prompt_ = std::move(prompt);
}

void CommandBars::setRightsFilter(std::function<bool(uint32_t)> allowed)
{
    allowed_ = std::move(allowed);
}

void CommandBars::setButtonStyle(Qt::ToolButtonStyle style)
{
    style_ = style;
    for (Bar& b : bars_)
        b.bar->setToolButtonStyle(style);
}

std::vector<uint32_t> CommandBars::permitted(const std::vector<uint32_t>& ids) const
{
    std::vector<uint32_t> out;
    for (uint32_t id : ids)
        if (id == 0 || !allowed_ || allowed_(id))
            out.push_back(id);
    // A bar the user may use nothing of keeps one separator, so it stays in the list of bars.
    if (std::all_of(out.begin(), out.end(), [](uint32_t id) { return id == 0; }))
        out = { 0 };
    return out;
}

QToolBar* CommandBars::addBar(const CommandBarDef& def)
{
    if (find(def.id))
        return nullptr;
    auto* bar = new QToolBar(&frame_); // the frame owns its bars
    bar->setObjectName(objectNameOf(def.id));
    bar->setToolButtonStyle(style_);
    frame_.addToolBar(bar);
    bars_.push_back({ def, bar, {} });
    Bar& b = bars_.back();
    b.bar->setWindowTitle(toQt(title_ ? title_(def.id) : std::to_string(def.id)));
    fill(b, permitted(def.buttons));
    b.bar->setVisible(loggedOn_ ? def.shownLoggedOn : def.shownLoggedOff);
    return bar;
}

void CommandBars::fill(Bar& b, const std::vector<uint32_t>& ids)
{
    b.bar->clear();
    b.shown = ids;
    for (uint32_t id : ids) {
        if (id == 0) {
            b.bar->addSeparator();
            continue;
        }
        QAction* a = b.bar->addAction(toQt(text_ ? text_(id) : std::to_string(id)));
        a->setData(id);
        a->setIcon(iconOf(id));
        if (prompt_) {
            std::string p = prompt_(id);
            size_t nl = p.find('\n');
            a->setStatusTip(toQt(p.substr(0, nl)));
            if (nl != std::string::npos)
                a->setToolTip(toQt(p.substr(nl + 1)));
        }
        connect(a, &QAction::triggered, &frame_, [this, id] { frame_.onMenuCommand(id); });
    }
}

void CommandBars::retitle()
{
    for (Bar& b : bars_) {
        b.bar->setWindowTitle(toQt(title_ ? title_(b.def.id) : std::to_string(b.def.id)));
        fill(b, std::vector<uint32_t>(b.shown));
    }
}

QToolBar* CommandBars::bar(uint32_t barId) const
{
    const Bar* b = find(barId);
    return b ? b->bar : nullptr;
}

std::vector<uint32_t> CommandBars::buttons(uint32_t barId) const
{
    const Bar* b = find(barId);
    return b ? b->shown : std::vector<uint32_t>();
}

bool CommandBars::setButtons(uint32_t barId, const std::vector<uint32_t>& ids)
{
    Bar* b = find(barId);
    if (b == nullptr)
        return false;
    fill(*b, permitted(ids));
    return true;
}

CommandBars::Bar* CommandBars::find(uint32_t barId)
{
    auto it = std::find_if(bars_.begin(), bars_.end(), [barId](const Bar& b) { return b.def.id == barId; });
    return it == bars_.end() ? nullptr : &*it;
}

const CommandBars::Bar* CommandBars::find(uint32_t barId) const
{
    return const_cast<CommandBars*>(this)->find(barId);
}

void CommandBars::setInterface(bool loggedOn)
{
    loggedOn_ = loggedOn;
    for (Bar& b : bars_) {
        // Back to the default place: the top, one row, in definition order.
        frame_.removeToolBar(b.bar);
        frame_.addToolBar(Qt::TopToolBarArea, b.bar);
        fill(b, permitted(b.def.buttons));
        b.bar->setVisible(loggedOn ? b.def.shownLoggedOn : b.def.shownLoggedOff);
    }
}

std::vector<uint8_t> CommandBars::saveState() const
{
    Archive ar;
    ar.writeDWord(kStateMagic);
    ar.writeWord(kStateVersion);
    ar.writeCount(static_cast<uint32_t>(bars_.size()));
    for (const Bar& b : bars_) {
        ar.writeDWord(b.def.id);
        std::vector<uint32_t> ids(b.shown.begin(), b.shown.end());
        ar.writeDWordArray(ids);
    }
    QByteArray layout = frame_.saveState();
    ar.writeCount(static_cast<uint32_t>(layout.size()));
    ar.writeBytes(std::span(reinterpret_cast<const uint8_t*>(layout.constData()), static_cast<size_t>(layout.size())));
    return ar.bytes();
}

bool CommandBars::restoreState(const std::vector<uint8_t>& state)
{
    std::vector<std::pair<uint32_t, std::vector<uint32_t>>> saved;
    QByteArray layout;
    try {
        Archive ar(state);
        if (ar.readDWord() != kStateMagic || ar.readWord() != kStateVersion)
            return false;
        uint32_t count = ar.readCount(6);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t id = ar.readDWord();
            saved.emplace_back(id, ar.readDWordArray());
        }
        uint32_t size = ar.readCount(1);
        std::vector<uint8_t> bytes(size);
        ar.readBytes(bytes);
        layout = QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    } catch (const ArchiveError&) {
        return false;
    }
    if (!frame_.restoreState(layout))
        return false;
    // The saved buttons of each known bar, then the user's rights: a layout saved by a user with
    // more rights loses the commands this user may not use.
    for (const auto& [id, ids] : saved)
        if (Bar* b = find(id))
            fill(*b, permitted(ids));
    return true;
}

} // namespace fw
