// The program's application object: kvcore's windowed application core with
// the program's receive operations and access check (CKvAppT), its start-up
// and shut-down, its main frame, and the windowed side of the logic's shell
// port and table updates.
#pragma once

#include <memory>
#include <string>

#include "kv32/shell/app/automation.h"
#include "kv32/shell/app/doc_templates.h"
#include "kv32/shell/app_startup.h"
#include "kv32/shell/component_check.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/line_printer_qt.h"
#include "kvcore/frame/app_core.h"

class CKvApp : public CKvAppT<CKvAppCore>, private CKvUiPort, private CTableUpdateListener {
    Q_OBJECT
public:
    CKvApp();
    ~CKvApp() override;

    bool initInstance() override;
    int exitInstance() override;
    std::unique_ptr<CMainFrameCore> CreateMainFrame() override;
    CTDocTemplate* AddDocTemplateID(uint32_t id) override { return KvAddDocTemplate(*this, m_templateRows, id); }
    // A print log turned off at start-up stays off when the settings are read again.
    void LoadStdProfileSettings() override;

    CLinePrint* PrintLogPrinter() const { return m_pPrintLog.get(); }
    // The automation interface, once start-up has offered it on the session bus.
    CKvAutomation* Automation() const { return m_pAutomation.get(); }

    // Seams of start-up: how the printer is made, where the component versions
    // are read, and which C-library locale the regional check reads ("" is the
    // user's own).
    LinePrinterFactory m_makePrinter = QtLinePrinter();
    ComponentVersionFn m_versionOf;
    std::string m_sLocale;
    // The list windows by table id (tests open windows of their own).
    std::span<const CKvTemplateRow> m_templateRows = KvDocTemplateTable();

protected:
    // The steps of start-up, in the order they run; a test may record them.
    virtual KvStartupSteps StartupSteps();

private:
    void WriteDiagnosticFile();
    void Beep(unsigned type) override;
    void SetStatusText(const std::string& text) override;
    void PostCommand(unsigned commandId) override { PostMainCommand(commandId); }
    void SetLogText(const std::string& text) override;
    void PostNotify(unsigned message) override;
    bool HasSession() const override;
    bool IsMainWindowEnabled() const override;
    void OnTableUpdate(uint16_t tableId, const fw::RowHint* hint) override;

    std::unique_ptr<CLinePrint> m_pPrintLog;
    std::unique_ptr<CKvAutomation> m_pAutomation;
    bool m_bPrintLogRefused = false;
};
