// The application object of the workstation: start-up in its order, the table
// windows' templates by table id, the message box of every message, the idle
// work (start-up window, high-speed polling) and the input watch, on the
// framework's application and the window-free application core.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/ui/app.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/kvcore_api.h"

class CMainFrameCore;
class CStartupWnd;
class CTDoc;
class CTDocTemplate;

namespace fw {
class Archive;
class ChildFrame;
class Hint;
class View;
} // namespace fw

class KVCORE_API CKvAppCore : public fw::App, public CKvAppCoreLogic {
    Q_OBJECT
public:
    // The id of the idle handler's one-shot timer of the high-speed poll.
    static constexpr uint32_t kHighSpeedTimer = 0x4B56;
    static constexpr int kHighSpeedPauseMs = 100;
    static constexpr uint32_t ID_APP_EXIT = 57665;

    CKvAppCore();
    ~CKvAppCore() override;
    static CKvAppCore* Instance();

    // The operations an application fills in.
    virtual std::unique_ptr<CMainFrameCore> CreateMainFrame();
    // Creates and registers the template of a table id; the base has none.
    virtual CTDocTemplate* AddDocTemplateID(uint32_t id);
    virtual void DeleteAllDocTemplates();
    virtual void CloseAllDocuments();

    CMainFrameCore* GetMainFrame() const { return m_pMainFrame.get(); }
    CTDocTemplate* FindDocTemplateID(uint32_t id) const;
    // The template of the id, created on first use.
    CTDocTemplate* GetDocTemplate(uint32_t id);
    CTDoc* GetFirstDoc(uint32_t id) const;
    // The table window of id: an open one that CheckTable accepts when activate is set,
    // else a new one. Null without a session or a template.
    CTDoc* OpenTable(uint32_t id, bool activate, bool visible, void* param);
    // Every template's documents (id 0), else those of id; nothing during a print preview.
    void UpdateAllDocuments(uint32_t id, intptr_t hint, fw::Hint* object);
    void UpdateAllViews(uint32_t id, fw::View* sender, intptr_t hint, fw::Hint* object);
    void StoreAllDocumentsInfo();
    int GetNumberOfDocuments() const;
    CTDoc* GetActiveDocument() const;
    uint32_t GetActiveDocID() const;
    // The open table windows of a workspace, front-most first: their count, then each
    // window's table id and, when it can be stored, its document.
    void SerializeAllDocuments(fw::Archive& ar);

    // The frame loses its place above its siblings; the others keep theirs.
    void TurnOffAlwaysOnTop(fw::ChildFrame* frame);
    void DestroyLogo();
    // "Exit": a session is logged off first.
    void OnAppExit();

    // Framework overrides.
    bool initInstance() override;
    int exitInstance() override;
    bool onIdle(int count) override;
    bool preTranslateMessage(QObject* watched, QEvent* event) override;
    int doMessageBox(const std::string& text, uint32_t type, uint32_t helpId) override;
    void onTimer(uint32_t timerId) override;

    // Window-free core hooks.
    bool IsModalState() const override { return inModalState(); }
    void PostMainCommand(unsigned commandId) override;
    bool CanForceLogoff() const override;
    void CollectAllDocumentsReqs() override;
    void BeginLongOperation(unsigned textId) override;
    void PumpLongOperation() override;
    void RepaintWhileWaiting() override;
    void EndLongOperation() override;
    CMainFrameCoreLogic* MainFrameLogic() const override;
    void CollectAllRequests() override;

    // The folder of the program file.
    const std::string& GetProgramFolder() const { return m_sProgramFolder; }
    // The router library's folder (empty: beside libkvcore.so); tests point elsewhere.
    std::string m_sRouterFolder;
    // The command line to parse at start-up, program name first; empty: the process's own.
    std::vector<std::string> m_aCommandLine;

private:
    std::unique_ptr<CMainFrameCore> m_pMainFrame;
    std::unique_ptr<CStartupWnd> m_pLogo;
    int64_t m_nLogoShownAt = 0;
    std::string m_sProgramFolder;
    bool m_bHighSpeedArmed = false;
    int m_nLongOperations = 0;
};
