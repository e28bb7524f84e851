// Binds a dialog's date or time control to the date and time field logic: attaching
// sets the start value and the limits, every change of the control is checked by the
// logic (a refused value is put back), and the dialog reads the wire forms here.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>

#include "kvcore/controls/date_picker.h"
#include "kvcore/kvcore_api.h"

namespace fw {
class Dialog;
class DateTimeField;
} // namespace fw

class KVCORE_API KvDateTimePicker : public QObject {
    Q_OBJECT
public:
    KvDateTimePicker() = default;

    // The dialog's item becomes a date (or time) control bound to this picker; false
    // when the dialog has no such item.
    bool AttachDateCtrl(uint32_t id, fw::Dialog& dialog);
    bool AttachTimeCtrl(uint32_t id, fw::Dialog& dialog);

    std::string FormatDateVORL() const { return m_logic.FormatDateVORL(); }
    std::string FormatTimeVORL() const { return m_logic.FormatTimeVORL(); }
    int IsInvalid() const { return m_logic.IsInvalid(); }
    CKvSECDateTimeCtrl& Logic() { return m_logic; }
    fw::DateTimeField* Field() const { return m_field; }

private:
    bool Attach(uint32_t id, fw::Dialog& dialog, bool date);
    void FieldChanged();
    void ShowLogicValue();

    CKvSECDateTimeCtrl m_logic;
    fw::DateTimeField* m_field = nullptr;
    bool m_syncing = false;
};
