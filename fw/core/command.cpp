#include "fw/core/command.h"

#include <algorithm>

namespace fw {

void CommandMap::onCommand(uint32_t id, std::function<void()> handler)
{
    commands_.push_back({ { id, id }, [h = std::move(handler)](uint32_t) { h(); } });
}

void CommandMap::onCommandRange(uint32_t first, uint32_t last, Handler handler)
{
    commands_.push_back({ { first, last }, std::move(handler) });
}

void CommandMap::onUpdate(uint32_t id, UpdateHandler handler)
{
    updates_.push_back({ { id, id }, std::move(handler) });
}

void CommandMap::onUpdateRange(uint32_t first, uint32_t last, UpdateHandler handler)
{
    updates_.push_back({ { first, last }, std::move(handler) });
}

void CommandMap::onMessage(uint32_t message, MessageHandler handler)
{
    messages_.push_back({ message, std::move(handler) });
}

void CommandMap::onNotify(uint32_t controlId, Notify code, NotifyHandler handler)
{
    notifies_.push_back({ controlId, code, std::move(handler) });
}

// Searching from the back lets a later registration override an earlier one.
const CommandMap::Handler* CommandMap::findCommand(uint32_t id) const
{
    for (auto it = commands_.rbegin(); it != commands_.rend(); ++it)
        if (id >= it->range.first && id <= it->range.last)
            return &it->handler;
    return nullptr;
}

const CommandMap::UpdateHandler* CommandMap::findUpdate(uint32_t id) const
{
    for (auto it = updates_.rbegin(); it != updates_.rend(); ++it)
        if (id >= it->range.first && id <= it->range.last)
            return &it->handler;
    return nullptr;
}

const CommandMap::MessageHandler* CommandMap::findMessage(uint32_t message) const
{
    for (auto it = messages_.rbegin(); it != messages_.rend(); ++it)
        if (it->message == message)
            return &it->handler;
    return nullptr;
}

const CommandMap::NotifyHandler* CommandMap::findNotify(uint32_t controlId, Notify code) const
{
    for (auto it = notifies_.rbegin(); it != notifies_.rend(); ++it)
        if (it->control == controlId && it->code == code)
            return &it->handler;
    return nullptr;
}

CmdTarget::CmdTarget() : alive_(std::make_shared<int>(0)) {}

CmdTarget::~CmdTarget() = default;

void CmdTarget::commandChain(std::vector<CmdTarget*>& out)
{
    out.push_back(this);
}

std::vector<CmdTarget*> CmdTarget::route()
{
    std::vector<CmdTarget*> chain;
    commandChain(chain);
    std::vector<CmdTarget*> unique;
    unique.reserve(chain.size());
    for (CmdTarget* t : chain)
        if (t && std::find(unique.begin(), unique.end(), t) == unique.end())
            unique.push_back(t);
    return unique;
}

bool CmdTarget::routeCommand(uint32_t id)
{
    for (CmdTarget* t : route()) {
        if (const auto* h = t->map_.findCommand(id)) {
            // Copy: the handler may replace its own map entry or destroy the target.
            auto handler = *h;
            handler(id);
            return true;
        }
    }
    return false;
}

bool CmdTarget::routeUpdate(CmdUI& ui)
{
    auto chain = route();
    for (CmdTarget* t : chain) {
        if (const auto* h = t->map_.findUpdate(ui.id())) {
            ui.setHandled();
            auto handler = *h;
            handler(ui);
            return true;
        }
    }
    bool any = std::any_of(chain.begin(), chain.end(),
                           [&](CmdTarget* t) { return t->map_.findCommand(ui.id()) != nullptr; });
    ui.enable(any);
    return false;
}

bool CmdTarget::hasCommandHandler(uint32_t id)
{
    for (CmdTarget* t : route())
        if (t->map_.findCommand(id))
            return true;
    return false;
}

std::optional<intptr_t> CmdTarget::routeMessage(uint32_t message, uint64_t wparam, int64_t lparam)
{
    for (CmdTarget* t : route()) {
        if (const auto* h = t->map_.findMessage(message)) {
            auto handler = *h;
            return handler(wparam, lparam);
        }
    }
    return std::nullopt;
}

} // namespace fw
