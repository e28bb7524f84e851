#pragma once
// Moves values between a dialog's controls and its members in both directions; validation
// failures stop the exchange with fail(id), which leaves the focus on the control.
#include "fw/ui/fw_ui_api.h"
#include <cstdint>
#include <stdexcept>
#include <string>

namespace fw {

class Dialog;

class FW_UI_API DataExchangeFailure : public std::runtime_error {
public:
    explicit DataExchangeFailure(uint32_t id) : std::runtime_error("data exchange failed"), id_(id) {}
    uint32_t control() const { return id_; }

private:
    uint32_t id_;
};

class FW_UI_API DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate) : dialog_(dialog), saving_(saveAndValidate) {}

    bool saving() const { return saving_; }
    Dialog& dialog() const { return dialog_; }

    // Text in Windows-1250. maxLen > 0: longer input is refused with a message (never cut).
    void text(uint32_t id, std::string& value, size_t maxLen = 0);
    // Whole numbers; text that is not one, or lies outside [min, max], is refused with a message.
    void integer(uint32_t id, int32_t& value, int32_t min = INT32_MIN, int32_t max = INT32_MAX);
    void unsignedInteger(uint32_t id, uint32_t& value, uint32_t min = 0, uint32_t max = UINT32_MAX);
    // Check box state: 0, 1 or 2.
    void check(uint32_t id, int& value);
    // Index of the checked button in the radio group that starts at firstId (-1: none).
    void radio(uint32_t firstId, int& index);
    // Selected index of a list or combo box (-1: none).
    void listIndex(uint32_t id, int& index);
    // The text of an editable combo box, or the selected item's text of a drop-down list.
    void comboText(uint32_t id, std::string& value);

    // Ends the exchange: the control gets the focus and updateData returns false.
    [[noreturn]] void fail(uint32_t id);

private:
    Dialog& dialog_;
    bool saving_;
};

} // namespace fw
