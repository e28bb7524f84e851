// A button that shows an icon at twice its size, framed and with a drop shadow; it
// has no behaviour beyond drawing. The icon is looked up on every paint.
#pragma once

#include <QAbstractButton>
#include <cstdint>
#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API CBigIcon : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBigIcon(QWidget* parent = nullptr);

    // Remembers the icon by resource id, or by name (a file or resource path), and takes
    // the size of a double icon with its frame.
    void SizeToContent(uint32_t id);
    void SizeToContent(const std::string& name);
    QSize sizeHint() const override;
    // The size of one icon as the platform shows it (32 by 32 unless the style says otherwise).
    QSize systemIconSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Resize();

    uint32_t m_iconId = 0;
    std::string m_iconName;
};
