#include "fw/ui/dataexchange.h"

#include "fw/core/resources.h"
#include "fw/ui/app.h"
#include "fw/ui/dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <charconv>

namespace fw {

namespace {
void refuse(Dialog& dlg, const char* en, const char* hu, uint32_t id, DataExchange& dx)
{
    std::string text = resourceText(en, hu);
    if (App* app = App::instance())
        app->messageBox(text, MB_OK | MB_ICONEXCLAMATION);
    (void)dlg;
    dx.fail(id);
}

std::string trimmed(std::string s)
{
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// The whole text as a number; false for an empty text, stray characters or an overflow.
template <typename T> bool wholeNumber(const std::string& t, T& v)
{
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && ec == std::errc() && end == t.data() + t.size();
}

template <typename T> void refuseOutside(Dialog& dlg, T min, T max, uint32_t id, DataExchange& dx)
{
    std::string en = "Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
    std::string hu = "Kérem, " + std::to_string(min) + " és " + std::to_string(max) + " közötti egész számot adjon meg.";
    refuse(dlg, en.c_str(), hu.c_str(), id, dx);
}
} // namespace

void DataExchange::fail(uint32_t id)
{
    throw DataExchangeFailure(id);
}

void DataExchange::text(uint32_t id, std::string& value, size_t maxLen)
{
    if (!saving_) {
        dialog_.setItemText(id, value);
        return;
    }
    std::string t = dialog_.itemText(id);
    if (maxLen > 0 && t.size() > maxLen) {
        std::string en = "Enter no more than " + std::to_string(maxLen) + " characters.";
        std::string hu = "Legfeljebb " + std::to_string(maxLen) + " karaktert adjon meg.";
        refuse(dialog_, en.c_str(), hu.c_str(), id, *this);
    }
    value = std::move(t);
}

void DataExchange::integer(uint32_t id, int32_t& value, int32_t min, int32_t max)
{
    if (!saving_) {
        dialog_.setItemInt(id, value);
        return;
    }
    std::string t = trimmed(dialog_.itemText(id));
    int64_t v = 0;
    if (!wholeNumber(t, v) || v < INT32_MIN || v > INT32_MAX)
        refuse(dialog_, "Please enter an integer.", "Kérem, egész számot adjon meg.", id, *this);
    if (v < min || v > max)
        refuseOutside(dialog_, min, max, id, *this);
    value = static_cast<int32_t>(v);
}

void DataExchange::unsignedInteger(uint32_t id, uint32_t& value, uint32_t min, uint32_t max)
{
    if (!saving_) {
        dialog_.setItemInt(id, value);
        return;
    }
    std::string t = trimmed(dialog_.itemText(id));
    uint64_t v = 0;
    if (!wholeNumber(t, v) || v > UINT32_MAX)
        refuse(dialog_, "Please enter a positive integer.", "Kérem, pozitív egész számot adjon meg.", id, *this);
    if (v < min || v > max)
        refuseOutside(dialog_, min, max, id, *this);
    value = static_cast<uint32_t>(v);
}

void DataExchange::check(uint32_t id, int& value)
{
    if (saving_)
        value = dialog_.isButtonChecked(id);
    else
        dialog_.checkButton(id, value);
}

void DataExchange::radio(uint32_t firstId, int& index)
{
    auto* first = dialog_.itemAs<QAbstractButton>(firstId);
    QButtonGroup* group = first ? first->group() : nullptr;
    if (!group) {
        if (saving_)
            index = -1;
        return;
    }
    auto buttons = group->buttons();
    if (saving_) {
        index = -1;
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked())
                index = i;
        return;
    }
    if (index >= 0 && index < buttons.size()) {
        buttons[index]->setChecked(true);
    } else {
        group->setExclusive(false);
        for (auto* b : buttons)
            b->setChecked(false);
        group->setExclusive(true);
    }
}

void DataExchange::listIndex(uint32_t id, int& index)
{
    if (saving_)
        index = dialog_.curSel(id);
    else
        dialog_.setCurSel(id, index);
}

void DataExchange::comboText(uint32_t id, std::string& value)
{
    if (saving_) {
        value = dialog_.itemText(id);
        return;
    }
    for (int i = 0; i < dialog_.itemCount(id); ++i)
        if (dialog_.itemString(id, i) == value) {
            dialog_.setCurSel(id, i);
            return;
        }
    dialog_.setItemText(id, value);
}

} // namespace fw
