#include "kv32/dialogs/side_colours.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include "fw/ui/dialog.h"
#include "kv32/shell/session.h"
#include "kv32/shell/tr_acc_local.h"

void KvPaintSide(QWidget& dialog, int side, bool always)
{
    const CSession* session = KvSession();
    const bool setting = session != nullptr && session->m_settings.options.orderColor != 0;
    if (session == nullptr || (!setting && !always)) {
        dialog.setAutoFillBackground(false);
        dialog.setPalette(QPalette());
        return;
    }
    const fw::Color c = side == 1 ? session->m_colour1 : session->m_colour2;
    const QColor colour(c.red(), c.green(), c.blue());
    QPalette p = dialog.palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    dialog.setPalette(p);
    dialog.setAutoFillBackground(true);
    // Static texts take the side colour only with the setting.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setAutoFillBackground(!setting);
        if (!setting) {
            QPalette plain = label->palette();
            plain.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
            label->setPalette(plain);
        }
    }
    dialog.update();
}

std::string KvAccountName(const std::string& account)
{
    std::string name;
    if (CTrAccLocalArray* accounts = GetCurrentSessionData())
        accounts->FindName(account, name);
    return name;
}

void KvFillTradingAccounts(fw::Dialog& dialog, std::uint32_t id)
{
    CTrAccLocalArray* accounts = GetCurrentSessionData();
    std::vector<std::string> items;
    int selected = -1;
    if (accounts != nullptr && accounts->FillList(items, selected, ""))
        for (const std::string& a : items)
            dialog.addString(id, a);
}
