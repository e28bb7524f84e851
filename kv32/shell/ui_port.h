// What the program's logic asks of the windowed shell besides message boxes
// (which go through kvcore's one message-box hook): beeps, the main window's
// status-bar text, commands posted to the main window, and whether a session
// exists and the main window takes input. The windowed application installs
// its port; tests install a recorder. Without a port every request is dropped
// and the answers are "no session, window disabled".
#pragma once

#include <string>

class CKvUiPort {
public:
    virtual ~CKvUiPort() = default;
    virtual void Beep(unsigned type) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void PostCommand(unsigned commandId) = 0;
    virtual bool HasSession() const = 0;
    virtual bool IsMainWindowEnabled() const = 0;
    // The alert log's text on the status bar, in the highlight colours.
    virtual void SetLogText(const std::string& text) { SetStatusText(text); }
    // Posts a registered window message (no parameters) to the main window.
    virtual void PostNotify(unsigned /*message*/) { }
};

// Installs the port (null: none); the caller keeps it alive while installed.
void KvSetUiPort(CKvUiPort* port);
CKvUiPort* KvUiPort();

void KvBeep(unsigned type);
void KvSetStatusText(const std::string& text);
void KvPostCommand(unsigned commandId);
void KvSetLogStatusText(const std::string& text);
void KvPostNotify(unsigned message);
// A session exists and no modal dialog holds the main window.
bool KvSessionWindowReady();
