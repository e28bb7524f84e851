// What the dialog tests of the order amend, withdraw and information dialogs
// share: the host data of OrderDialogFixture, a logged-on session, and typing
// into the dialogs' numeric edits.
#pragma once

#include <QApplication>
#include <QKeyEvent>

#include <string>
#include <vector>

#include "fw/ui/dialog.h"
#include "kv32/shell/session.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/ui/num_edit_widget.h"
#include "order_dialogs/order_fixture.h"

namespace kv32test {

// Everything selected, then the text typed key by key, as a user would.
inline void TypeNumber(fw::Dialog& d, uint32_t id, const char* text)
{
    auto* edit = d.itemAs<KvNumEditWidget>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setFocus();
    edit->engine().SetSelAll();
    for (const char* p = text; *p != '\0'; ++p) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QLatin1Char(*p)));
        QApplication::sendEvent(edit, &press);
    }
}

inline void PressKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
}

class OrderDialogTest : public OrderDialogFixture {
protected:
    OrderDialogTest()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        ps = &session;
        fErrorCheckEx = 1;
    }
    ~OrderDialogTest() override { ps = nullptr; }

    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> texts;
        for (const Msg& m : router.Requests())
            if (m.type == code)
                texts.push_back(m.bytes);
        return texts;
    }
    static std::string Accepted(const char* text) { return std::string(text) + '\0'; }
    static std::string Refused(const char* text, int field)
    {
        return std::string(text) + '\0' + std::to_string(field);
    }
    static int OrderRow(uint32_t number) { return KvTables().orders.FindRow(number); }

    CSession session;
};

} // namespace kv32test
