// A list widget seen through the choosers' list port. Item data lives where fw::Dialog keeps
// it, so a dialog's itemData and the port read the same numbers.
#pragma once

#include "kvcore/dialogs/drag_list.h"
#include "kvcore/kvcore_api.h"

class QListWidget;

class KVCORE_API KvListWidgetPort : public KvListBoxPort {
public:
    explicit KvListWidgetPort(QListWidget& list)
        : m_list(list)
    {
    }

    int Count() const override;
    KvListEntry Entry(int index) const override;
    int Insert(int index, const KvListEntry& entry) override;
    void Delete(int index) override;
    void Clear() override;
    bool IsSelected(int index) const override;
    void SetSelected(int index, bool selected) override;
    int Caret() const override;
    void SetCaret(int index) override;

private:
    QListWidget& m_list;
};
