// The list box in which the user orders entries (KvDragList) as a window: a heading row above
// the entries holds the title and two arrow buttons; a block of selected entries is dragged
// with the mouse, an insertion mark showing where it will go.
#pragma once

#include <QListWidget>
#include <string>

#include "kvcore/dialogs/drag_list.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/ui/list_widget_port.h"

class QLabel;
class QToolButton;

class KVCORE_API CDnDListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CDnDListBox(QWidget* parent = nullptr);
    ~CDnDListBox() override;

    // The list's own text and the heading's.
    void SetWindowText(const std::string& text);
    std::string Title() const;

    KvDragList& Logic() { return m_logic; }
    KvListBoxPort& Port() { return m_port; }
    // The arrow buttons (kDragButtonDown, kDragButtonUp).
    QToolButton* ArrowButton(int id) const;
    // The entry under a point of the list's entry area; -1 for none.
    int ItemFromPt(const QPoint& viewportPoint) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayOutHeading();
    int HeadingHeight() const;

    KvListWidgetPort m_port;
    KvDragList m_logic;
    QLabel* m_title = nullptr;
    QToolButton* m_down = nullptr;
    QToolButton* m_up = nullptr;
    bool m_dragging = false;
    int m_source = -1;
};
