// The start-up window: the program's name, version and settings folder, shown
// on top of the main window for the logo period with the wait cursor.
#pragma once

#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CStartupWnd : public fw::Dialog {
    Q_OBJECT
public:
    explicit CStartupWnd(QWidget* parent = nullptr);
    ~CStartupWnd() override;

    bool onInitDialog() override;
    // The text of item 149.
    static std::string Text();

private:
    bool m_bCursor = false;
};
