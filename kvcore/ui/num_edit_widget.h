// The window of a numeric edit: it forwards keys, clicks and focus changes to the
// engine, paints the engine's text with its caret and selection, tells the dialog of
// changes, and offers the drop button with its calculator.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "kvcore/controls/num_edit.h"
#include "kvcore/kvcore_api.h"

class QToolButton;

namespace fw {
class DataExchange;
}

class KVCORE_API KvNumEditWidget : public QWidget {
    Q_OBJECT
public:
    // The engine serves every use of the widget; it is normally the dialog's member, which
    // dies just before the dialog's windows, so the widget's destructor never touches it.
    explicit KvNumEditWidget(CBaseNumEdit& engine, QWidget* parent = nullptr);
    ~KvNumEditWidget() override;

    CBaseNumEdit& engine() { return m_engine; }
    QSize sizeHint() const override;
    // The caret position nearest to x in widget coordinates.
    int caretAt(int x) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void dropButtonClicked();
    int textLeft() const;

    CBaseNumEdit& m_engine;
    QToolButton* m_dropButton = nullptr;
};

// Dialog data exchange with numeric edits. DDX_Control puts the edit's window in place
// of the dialog item (once) and attaches the engine; a failed attach fails the exchange.
// DDX_Value needs the item attached by DDX_Control earlier in the same exchange.
KVCORE_API void DDX_Control(fw::DataExchange& dx, uint32_t id, CBaseNumEdit& edit, bool allowBlank);
KVCORE_API void DDX_Value(fw::DataExchange& dx, uint32_t id, int32_t& value);
KVCORE_API void DDX_Value(fw::DataExchange& dx, uint32_t id, uint32_t& value);
KVCORE_API void DDX_Value(fw::DataExchange& dx, uint32_t id, double& value);
KVCORE_API void DDX_Value(fw::DataExchange& dx, uint32_t id, std::string& value);
