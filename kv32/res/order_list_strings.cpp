#include "kv32/res/order_list_strings.h"

namespace {

// The Hungarian element names are single words, so that a file stays well
// formed under either language.
constexpr fw::StringEntry kStrings[] = {
    { IDS_ODL_ORDER_NO, "OrderNo", "MegbízásSzám" },
    { IDS_ODL_VALUE, "Value", "Érték" },
    { IDS_ODL_TIMEOUT, "Timeout", "Időkorlát" },
    { IDS_ODL_DISS_STATUS, "DissStatus", "KözzétételÁllapot" },
    { IDS_ODL_YIELD, "Yield", "Hozam" },
    { IDS_ODL_DATE, "Date", "Dátum" },
    { IDS_ODL_TIME, "Time", "Idő" },
    { IDS_ODL_SECURITY, "Security", "Értékpapír" },
    { IDS_ODL_BOARD, "Board", "Tábla" },
    { IDS_ODL_USER, "User", "Felhasználó" },
    { IDS_ODL_TRD_ACC, "TrdAcc", "KerSzámla" },
    { IDS_ODL_BUY_SELL, "BuySell", "VételEladás" },
    { IDS_ODL_SETTLE_DATE, "SettleDate", "ElszámolásiNap" },
    { IDS_ODL_STATUS, "Status", "Állapot" },
    { IDS_ODL_TYPE, "Type", "Típus" },
    { IDS_ODL_PRICE, "Price", "Ár" },
    { IDS_ODL_QTY, "Qty", "Mennyiség" },
    { IDS_ODL_HIDDEN, "Hidden", "Rejtett" },
    { IDS_ODL_BALANCE, "Balance", "Maradék" },
    { IDS_ODL_EXPIRY_DATE, "ExpiryDate", "LejáratiNap" },
    { IDS_ODL_EXPIRY_TIME, "ExpiryTime", "LejáratiIdő" },
    { IDS_ODL_TRIGGER_PRICE, "TriggerPrice", "AktiválásiÁr" },
    { IDS_ODL_REFERENCE, "Reference", "Hivatkozás" },
    { IDS_ODL_WARNING_TIMEOUT, "WarningTimeout", "FigyelmeztetésiIdő" },
    { IDS_ODL_NEXT_LINK_ORDER_NO, "NextLinkOrderNo", "KövetkezőKapcsoltMegbízás" },
    { IDS_ODL_PREV_LINK_ORDER_NO, "PrevLinkOrderNo", "ElőzőKapcsoltMegbízás" },
    { IDS_ODL_CP_USER, "CPUser", "PartnerFelhasználó" },
    { IDS_ODL_DISS_TIME, "DissTime", "KözzétételIdő" },
    { IDS_ODL_WORK_AREA, "WorkArea", "Munkaterület" },
    { IDS_ODL_TRADE_SOURCE, "TradeSource", "KötésForrása" },
    { IDS_ODL_FILL_MIN_QTY, "FillMinQty", "MinTeljesítés" },
    { IDS_ODL_ORDER, "Order", "Megbízás" },
    { IDS_ODL_NEG_DEAL, "NegDeal", "TárgyalásosÜgylet" },

    { IDS_ODL_EXPORT_FILTER, "Export Files (*.odl)|*.odl|All Files (*.*)|*.*||",
        "Exportfájlok (*.odl)|*.odl|Minden fájl (*.*)|*.*||" },
    { IDS_ODL_EXPORT_TITLE, "Export", "Exportálás" },
    { IDS_ODL_CREATE_FILE_ERROR, "Create file error.", "Hiba a fájl létrehozásakor." },
    { IDS_ODL_WRITE_ERROR, "Write error.", "Írási hiba." },
    { IDS_ODL_IMPORT_TITLE, "Import", "Importálás" },
    { IDS_ODL_READ_ERROR, "Read error.", "Olvasási hiba." },
    { IDS_ODL_OPEN_FILE_ERROR, "Open file error.", "Hiba a fájl megnyitásakor." },
    { IDS_ODL_LINE_READ_ERROR, "Error reading line %d.\n\nProceed to the next order?",
        "Hiba a(z) %d. sor olvasásakor.\n\nFolytatja a következő megbízással?" },
    { IDS_ODL_FIELD_NOT_ENDED_AT_ORDER_END,
        "Last field of the current order was not ended at line %d.\n\nField will be ignored.",
        "Az aktuális megbízás utolsó mezője nem zárult le a(z) %d. sorban.\n\nA mezőt figyelmen kívül "
        "hagyjuk." },
    { IDS_ODL_ORDER_NOT_ENDED,
        "New order starts at line %d, but current one was not ended.\n\nCurrent order will be ignored.",
        "A(z) %d. sorban új megbízás kezdődik, de az aktuális nem zárult le.\n\n"
        "Az aktuális megbízást figyelmen kívül hagyjuk." },
    { IDS_ODL_END_OF_UNSTARTED_ORDER, "Attempt to end not started order at line %d.",
        "Meg nem kezdett megbízás lezárása a(z) %d. sorban." },
    { IDS_ODL_LAST_ORDER_NOT_ENDED,
        "Last order in the file was not ended at line %d.\n\nOrder will be ignored.",
        "A fájl utolsó megbízása nem zárult le a(z) %d. sorban.\n\nA megbízást figyelmen kívül hagyjuk." },
    { IDS_ODL_FIELD_NOT_ENDED,
        "New field starts at line %d, but current one was not ended.\n\nCurrent field will be ignored.",
        "A(z) %d. sorban új mező kezdődik, de az aktuális nem zárult le.\n\nAz aktuális mezőt figyelmen "
        "kívül hagyjuk." },
    { IDS_ODL_FIELD_OUTSIDE_ORDER,
        "Field found at line %d outside the started order.\n\nProceeding to the next order.",
        "A(z) %d. sorban mező áll megkezdett megbízáson kívül.\n\nFolytatás a következő megbízással." },
    { IDS_ODL_END_OF_UNSTARTED_FIELD, "Attempt to end not started field at line %d.",
        "Meg nem kezdett mező lezárása a(z) %d. sorban." },
    { IDS_ODL_END_OF_OTHER_FIELD,
        "Attempt to end field different from the current one at line %d.\n\nCurrent field will be ignored.",
        "A(z) %d. sorban nem az aktuális mező zárul le.\n\nAz aktuális mezőt figyelmen kívül hagyjuk." },
    { IDS_ODL_DATA_OUTSIDE_FIELD, "Data found at line %d outside the started field.\n\nData will be ignored.",
        "A(z) %d. sorban adat áll megkezdett mezőn kívül.\n\nAz adatot figyelmen kívül hagyjuk." },
    { IDS_ODL_DATA_REDEFINED,
        "Attempt to redefine data for the same field at line %d.\n\nData will be ignored.",
        "A(z) %d. sorban ugyanaz a mező ismét adatot kap.\n\nAz adatot figyelmen kívül hagyjuk." },
    { IDS_ODL_WRONG_DATA_FORMAT, "Wrong data format at line %d.\n\nData will be ignored.",
        "Hibás adatformátum a(z) %d. sorban.\n\nAz adatot figyelmen kívül hagyjuk." },
    { IDS_ODL_PRIVATE_EXPORT_FILTER,
        "Export Files (*.odl)|*.odl|Text (Tab delimited) (*.txt)|*.txt|All Files (*.*)|*.*||",
        "Exportfájlok (*.odl)|*.odl|Szöveg (tabulátorral tagolt) (*.txt)|*.txt|Minden fájl (*.*)|*.*||" },
    { IDS_ODL_PRIVATE_IMPORT_FILTER,
        "Import Files (*.odl)|*.odl|Text (Tab delimited) (*.txt)|*.txt|All Files (*.*)|*.*||",
        "Importfájlok (*.odl)|*.odl|Szöveg (tabulátorral tagolt) (*.txt)|*.txt|Minden fájl (*.*)|*.*||" },
    { IDS_ODL_NO_WAI, "Order at line %d has no WAI defined. Order will be ignored.\n\nContinue?",
        "A(z) %d. sorban kezdődő megbízásnak nincs WAI-ja. A megbízást figyelmen kívül "
        "hagyjuk.\n\nFolytatja?" },
    { IDS_ODL_WRONG_COLUMN_NAME, "Column number %d has incorrect name.", "A(z) %d. oszlop neve hibás." },
    { IDS_ODL_WRONG_FIELD_COUNT, "String number %d too short or too long.",
        "A(z) %d. sor túl rövid vagy túl hosszú." },
};

} // namespace

std::span<const fw::StringEntry> Kv32OrderListStrings()
{
    return kStrings;
}

void RegisterOrderListStrings()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32OrderListString(std::uint32_t id)
{
    RegisterOrderListStrings();
    return fw::loadString(id);
}
