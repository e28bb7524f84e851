// The workstation's combo boxes and the companion edit: Qt widgets that hand their
// keys to the combo box rules and announce every selection they make to the dialog as
// a selection by the user.
#pragma once

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPointer>

#include "fw/core/menu.h"
#include "kvcore/controls/type_ahead.h"
#include "kvcore/kvcore_api.h"

// The rules' view of a QComboBox; selections made here do not emit the box's own
// user signals, so the dialog hears of each exactly once.
class KVCORE_API KvQtComboList : public KvComboEditList {
public:
    explicit KvQtComboList(QComboBox& box)
        : m_box(box)
    {
    }
    int GetCount() const override;
    std::string GetItemText(int index) const override;
    int GetCurSel() const override;
    void SetCurSel(int index) override;
    void NotifySelChange() override;
    std::string GetEditText() const override;
    int GetEditSelStart() const override;
    void SetEditSel(int start, int end) override;
    void ShowDropDown(bool show) override;

private:
    QComboBox& m_box;
    bool m_popupWasOpen = false;
};

// A companion field: any widget; a line edit also has its text emptied.
class KVCORE_API KvQtCompanion : public KvCompanion {
public:
    QPointer<QWidget> widget;
    void SetFocus() override;
    void SetText(std::string_view text) override;
    void SendChar(char ch, int repeat, int flags) override;
};

// The typed character of a key press (Windows-1250), 0 when it types none.
KVCORE_API char TypedChar(const QKeyEvent& event);

class KVCORE_API CTypeComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CTypeComboBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    KvQtComboList m_list { *this };
    KvTypeComboKeys m_keys { m_list };
};

// The context menu of a combo box: filled by the owning dialog, shown on a right click
// through the main frame's popup road (so tests answer it like any popup menu); the
// chosen command goes to the dialog's command route.
class KVCORE_API KvComboContextMenu {
public:
    fw::Menu& Menu() { return m_menu; }
    void AddCommand(uint32_t id, const std::string& text);
    // Shows the menu at pos of box and routes the chosen command; the command id or 0.
    uint32_t DoPopupMenu(QWidget& box, const QPoint& pos);

private:
    fw::Menu m_menu;
};

// A combo box with the context menu added.
template <class Combo> class KvContextMenuCombo : public Combo {
public:
    using Combo::Combo;
    KvComboContextMenu& ContextMenu() { return m_context; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override { m_context.DoPopupMenu(*this, event->pos()); }

private:
    KvComboContextMenu m_context;
};

// The context menu and the type-ahead combo box's keys.
class KVCORE_API CContextCombo : public KvContextMenuCombo<CTypeComboBox> {
public:
    using KvContextMenuCombo::KvContextMenuCombo;
};

// The context menu with the plain combo box's own keyboard handling.
class KVCORE_API CContextWinCombo : public KvContextMenuCombo<QComboBox> {
public:
    using KvContextMenuCombo::KvContextMenuCombo;
};

class KVCORE_API CClearComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KvQtComboList m_list { *this };
    KvClearComboKeys m_keys { m_list };
};

class KVCORE_API CBGComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CBGComboBox(QWidget* parent = nullptr);
    // The field that takes digits; set once both exist.
    void SetCompanion(QWidget* companion) { m_companion.widget = companion; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    KvQtComboList m_list { *this };
    KvQtCompanion m_companion;
    KvBGComboKeys m_keys { m_list };
};

class KVCORE_API CBGEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CBGEdit(QWidget* parent = nullptr);
    void SetCompanion(QWidget* companion) { m_companion.widget = companion; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KvQtCompanion m_companion;
    KvBGEditKeys m_keys;
};

// A drop-down combo box with an edit field that completes to the entries.
class KVCORE_API CExplorerCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CExplorerCombo(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KvQtComboList m_list { *this };
    KvExplorerComboKeys m_keys { m_list };
};
