// Column titles and the context menu of the Audit Events and Audit Types
// windows, English and Hungarian under one id.
#pragma once

enum Kv32AuditWindowId : unsigned {
    IDS_AUDITS_FIRST_COLUMN = 5580, // to 5590
    IDS_AUDIT_TYPES_FIRST_COLUMN = 5600, // to 5603
    ID_AUDIT_OVERRIDE_MODE = 32892,
};

// Registers the texts and menus once (before any session makes its popups).
void Kv32RegisterAuditWindowResources();
