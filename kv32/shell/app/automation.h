// The automation interface of the workstation for other programs: a D-Bus
// object /Kv32 of the service org.vexa.Kv32 on the session bus, interface
// org.vexa.Kv32, with the members SendOrder, WithdrawOrder and LoggedOn. Every
// argument comes from outside and is checked before anything is sent.
#pragma once

#include <QObject>
#include <QString>

class CKvAutomation : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vexa.Kv32")
    Q_CLASSINFO("D-Bus Introspection", ""
        "  <interface name=\"org.vexa.Kv32\">\n"
        "    <annotation name=\"org.vexa.Kv32.Doc\" value=\"Enters and withdraws orders of the logged-on user. "
        "Texts are checked against the widths of their fields; a text that is too long, a character outside "
        "Windows-1250, an unknown security or a number that does not fit makes the call return false with "
        "nothing sent.\"/>\n"
        "    <method name=\"SendOrder\">\n"
        "      <annotation name=\"org.vexa.Kv32.Doc\" value=\"Transaction 132, the order entry record of 211 "
        "characters: user (12), account (12), side (1), order flags (32: 0 market when price is 0, else 1 limit; "
        "11 when hiddenQuantity is not 0; 24 session order), security code (17) of the security named security "
        "on the board named board, price (9, the security's price decimals), yield (9 blanks), quantity (16), "
        "hiddenQuantity (16), broker reference (40 blanks), expiry date (8 blanks), expiry time (6 blanks), "
        "triggerPrice (9, the security's price decimals), settlement date (8 blanks), minimum fill quantity (16 "
        "zeros). True when the host accepted the order.\"/>\n"
        "      <arg name=\"account\" type=\"s\" direction=\"in\"/>\n"
        "      <arg name=\"quantity\" type=\"d\" direction=\"in\"/>\n"
        "      <arg name=\"price\" type=\"d\" direction=\"in\"/>\n"
        "      <arg name=\"triggerPrice\" type=\"d\" direction=\"in\"/>\n"
        "      <arg name=\"hiddenQuantity\" type=\"d\" direction=\"in\"/>\n"
        "      <arg name=\"side\" type=\"s\" direction=\"in\"/>\n"
        "      <arg name=\"security\" type=\"s\" direction=\"in\"/>\n"
        "      <arg name=\"board\" type=\"s\" direction=\"in\"/>\n"
        "      <arg name=\"accepted\" type=\"b\" direction=\"out\"/>\n"
        "    </method>\n"
        "    <method name=\"WithdrawOrder\">\n"
        "      <annotation name=\"org.vexa.Kv32.Doc\" value=\"Transaction 138, 105 characters: user (12), 'A', "
        "blank, the order number (12 digits), '=', then blanks. True when the host accepted it.\"/>\n"
        "      <arg name=\"orderNumber\" type=\"x\" direction=\"in\"/>\n"
        "      <arg name=\"accepted\" type=\"b\" direction=\"out\"/>\n"
        "    </method>\n"
        "    <method name=\"LoggedOn\">\n"
        "      <annotation name=\"org.vexa.Kv32.Doc\" value=\"True while a user is logged on.\"/>\n"
        "      <arg name=\"loggedOn\" type=\"b\" direction=\"out\"/>\n"
        "    </method>\n"
        "  </interface>\n")

public:
    static constexpr const char* kService = "org.vexa.Kv32";
    static constexpr const char* kObject = "/Kv32";

    using QObject::QObject;

    // Registers the object and the service on the session bus; without a
    // session bus (or with the name taken) the program runs without it and
    // says so in one trace line. True when registered.
    bool Register();
    void Unregister();

public Q_SLOTS:
    bool SendOrder(const QString& account, double quantity, double price, double triggerPrice, double hiddenQuantity,
        const QString& side, const QString& security, const QString& board);
    bool WithdrawOrder(qlonglong orderNumber);
    bool LoggedOn();

private:
    bool m_bRegistered = false;
};
