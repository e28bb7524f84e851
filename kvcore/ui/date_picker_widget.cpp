#include "kvcore/ui/date_picker_widget.h"

#include <memory>

#include "fw/ui/datetimefield.h"
#include "fw/ui/dialog.h"

namespace {

QDateTime ToQt(const CDateTime& t)
{
    return QDateTime(
        QDate(t.GetYear(), t.GetMonth(), t.GetDay()), QTime(t.GetHour(), t.GetMinute(), t.GetSecond()));
}

CDateTime FromQt(const QDateTime& t)
{
    return CDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
        t.time().second());
}

} // namespace

bool KvDateTimePicker::AttachDateCtrl(uint32_t id, fw::Dialog& dialog)
{
    return Attach(id, dialog, true);
}

bool KvDateTimePicker::AttachTimeCtrl(uint32_t id, fw::Dialog& dialog)
{
    return Attach(id, dialog, false);
}

bool KvDateTimePicker::Attach(uint32_t id, fw::Dialog& dialog, bool date)
{
    if (!dialog.item(id))
        return false;
    const auto kind = date ? fw::DateTimeField::Kind::Date : fw::DateTimeField::Kind::Time;
    auto* field = dialog.itemAs<fw::DateTimeField>(id);
    if (!field || field->kind() != kind) {
        dialog.setItemWidget(id, std::make_unique<fw::DateTimeField>(kind));
        field = dialog.itemAs<fw::DateTimeField>(id);
    }
    if (m_field)
        disconnect(m_field, nullptr, this, nullptr);
    m_field = field;
    if (date)
        m_logic.AttachDateCtrl();
    else
        m_logic.AttachTimeCtrl();
    m_syncing = true;
    field->setBlankAllowed(true);
    if (const auto min = m_logic.MinTime())
        field->setMinimumDateTime(ToQt(CDateTime(min->GetYear(), min->GetMonth(), min->GetDay(), 0, 0, 0)));
    if (const auto max = m_logic.MaxTime())
        field->setMaximumDateTime(ToQt(*max));
    m_syncing = false;
    ShowLogicValue();
    connect(field, &fw::DateTimeField::valueChanged, this, [this] { FieldChanged(); });
    return true;
}

void KvDateTimePicker::ShowLogicValue()
{
    m_syncing = true;
    const CDateTime value = m_logic.GetDateTime();
    m_field->setValue(value.IsValid() ? std::optional<QDateTime>(ToQt(value)) : std::nullopt);
    m_syncing = false;
}

void KvDateTimePicker::FieldChanged()
{
    if (m_syncing || !m_field)
        return;
    using P = CKvSECDateTimeCtrl;
    const bool date = m_logic.GetKind() == CKvSECDateTimeCtrl::Kind::Date;
    const std::optional<QDateTime> shown = m_field->value();
    if (!shown) {
        // The control was emptied: its group of parts becomes empty.
        const int first = date ? P::Day : P::Hour;
        for (int part = first; part < first + 3; ++part)
            m_logic.ClearPart(static_cast<P::Part>(part));
        return;
    }
    CDateTime value = FromQt(*shown);
    const CDateTime current = m_logic.GetDateTime();
    // A date control keeps its time of day, a time control its date.
    if (date && current.IsValid())
        value = CDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), current.GetHour(),
            current.GetMinute(), current.GetSecond());
    else if (date)
        value = CDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), 23, 59, 59);
    if (!m_logic.SetDateTime(value))
        ShowLogicValue();
}
