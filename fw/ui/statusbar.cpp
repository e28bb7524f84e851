#include "fw/ui/statusbar.h"

#include "fw/ui/gridmodel.h"
#include "fw/ui/text.h"

#include <QPainter>

namespace fw {

MessagePane::MessagePane(QWidget* parent) : QLabel(parent) {}

void MessagePane::setColoured(const QString& text, uint32_t textColour, uint32_t backColour)
{
    coloured_ = true;
    text_ = textColour;
    back_ = backColour;
    setFrameShape(QFrame::NoFrame);
    setText(text);
    update();
}

void MessagePane::setPlain(const QString& text)
{
    coloured_ = false;
    setText(text);
    update();
}

void MessagePane::paintEvent(QPaintEvent* event)
{
    if (!coloured_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), colorFromRef(back_));
    p.setPen(colorFromRef(text_));
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
}

void StatusBar::setPanes(const std::vector<int>& widths)
{
    for (Pane& p : panes_) {
        removeWidget(p.label);
        delete p.label;
    }
    panes_.clear();
    for (size_t i = 0; i < widths.size(); ++i) {
        QLabel* label = i == 0 ? new MessagePane(this) : new QLabel(this);
        if (i == 0)
            addWidget(label, 1);
        else
            addPermanentWidget(label);
        panes_.push_back({ label, widths[i], true });
        apply(static_cast<int>(i));
    }
}

void StatusBar::apply(int i)
{
    Pane& p = panes_[static_cast<size_t>(i)];
    bool framed = p.framed && !(i == 0 && messagePane() && messagePane()->coloured());
    p.label->setFrameShape(framed ? QFrame::Panel : QFrame::NoFrame);
    p.label->setFrameShadow(QFrame::Sunken);
    if (i == 0)
        p.label->setMinimumWidth(std::max(p.width, 0));
    else
        p.label->setFixedWidth(std::max(p.width, 0));
    p.label->setVisible(p.width > 0 || i == 0);
}

void StatusBar::setPaneWidth(int pane, int width)
{
    if (pane < 0 || pane >= paneCount())
        return;
    panes_[static_cast<size_t>(pane)].width = width;
    apply(pane);
}

int StatusBar::paneWidth(int pane) const
{
    return pane >= 0 && pane < paneCount() ? panes_[static_cast<size_t>(pane)].width : 0;
}

bool StatusBar::isPaneShown(int pane) const
{
    return pane >= 0 && pane < paneCount() && !panes_[static_cast<size_t>(pane)].label->isHidden();
}

void StatusBar::setPaneFramed(int pane, bool framed)
{
    if (pane < 0 || pane >= paneCount())
        return;
    panes_[static_cast<size_t>(pane)].framed = framed;
    apply(pane);
}

bool StatusBar::isPaneFramed(int pane) const
{
    return pane >= 0 && pane < paneCount() && panes_[static_cast<size_t>(pane)].label->frameShape() != QFrame::NoFrame;
}

void StatusBar::setPaneText(int pane, const std::string& text)
{
    if (pane == 0 && messagePane()) {
        messagePane()->setPlain(toQt(text));
        apply(0);
    } else if (QLabel* l = this->pane(pane)) {
        l->setText(toQt(text));
    }
}

std::string StatusBar::paneText(int pane) const
{
    QLabel* l = this->pane(pane);
    return l ? fromQt(l->text()) : std::string();
}

void StatusBar::setColouredMessage(const std::string& text, uint32_t textColour, uint32_t backColour)
{
    if (MessagePane* m = messagePane()) {
        m->setColoured(toQt(text), textColour, backColour);
        apply(0);
    }
}

MessagePane* StatusBar::messagePane() const
{
    return panes_.empty() ? nullptr : qobject_cast<MessagePane*>(panes_.front().label);
}

QLabel* StatusBar::pane(int pane) const
{
    return pane >= 0 && pane < paneCount() ? panes_[static_cast<size_t>(pane)].label : nullptr;
}

} // namespace fw
