#include "kv32/shell/app/automation.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QFileInfo>

#include "fw/core/codepage.h"
#include "kv32/shell/app_commands.h"
#include "kvcore/router/kv_trace.h"

namespace {

// A text from outside in the program's 8-bit form; false for a character it cannot hold.
bool ToProgramText(const QString& text, std::string& out)
{
    const QByteArray utf8 = text.toUtf8();
    fw::ToCp1250Result converted = fw::utf8ToCp1250(std::string_view(utf8.constData(), utf8.size()));
    if (!converted.ok())
        return false;
    out = std::move(converted.text);
    return true;
}

} // namespace

bool CKvAutomation::Register()
{
    // A desktop session names its bus; without one there is nothing to look for.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && (runtime.isEmpty() || !QFileInfo::exists(runtime + "/bus"))) {
        KvTrace("automation: no session bus (DBUS_SESSION_BUS_ADDRESS is not set); the program runs without its "
                "automation interface");
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        KvTrace("automation: no session bus (" + bus.lastError().message().toStdString()
            + "); the program runs without its automation interface");
        return false;
    }
    if (!bus.registerObject(kObject, this, QDBusConnection::ExportAllSlots)) {
        KvTrace("automation: the object /Kv32 could not be registered; the program runs without it");
        return false;
    }
    if (!bus.registerService(kService)) {
        bus.unregisterObject(kObject);
        KvTrace("automation: the name org.vexa.Kv32 is taken (" + bus.lastError().message().toStdString()
            + "); the program runs without its automation interface");
        return false;
    }
    m_bRegistered = true;
    return true;
}

void CKvAutomation::Unregister()
{
    if (!m_bRegistered)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(kService);
    bus.unregisterObject(kObject);
    m_bRegistered = false;
}

bool CKvAutomation::SendOrder(const QString& account, double quantity, double price, double triggerPrice,
    double hiddenQuantity, const QString& side, const QString& security, const QString& board)
{
    CKvAutomationOrder order;
    order.quantity = quantity;
    order.price = price;
    order.triggerPrice = triggerPrice;
    order.hiddenQuantity = hiddenQuantity;
    if (!ToProgramText(account, order.account) || !ToProgramText(side, order.side)
        || !ToProgramText(security, order.security) || !ToProgramText(board, order.board))
        return false;
    return KvAutomationSendOrder(order);
}

bool CKvAutomation::WithdrawOrder(qlonglong orderNumber)
{
    return KvAutomationWithdrawOrder(orderNumber);
}

bool CKvAutomation::LoggedOn()
{
    return KvAutomationLoggedOn();
}
