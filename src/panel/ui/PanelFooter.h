#pragma once

#include "keys/KeyLabels.h"

#include <QRectF>
#include <QWidget>

// The footer: key hints on the left ("↑↓ navigate", "Enter favorite", "Esc close" …, in the panel's
// key-label style), the number of listed shortcuts on the right. The keys that do not fit in the
// row (Ctrl+Home, Ctrl+End, Shift+Tab) are in its tooltip, with the ones shown.
class PanelFooter : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal paddingX = 18;
    static constexpr qreal paddingY = 10;
    static constexpr qreal spacing = 18;
    static constexpr qreal capMinSide = 16;

    explicit PanelFooter(QWidget *parent = nullptr);
    void setCount(qsizetype count);
    void setLabelStyle(KeyLabelStyle style);
    QString countText() const;
    // Every key of the panel, one per line ("Ctrl+Home  first shortcut"), in the label style.
    QString keysText() const;
    QSize sizeHint() const override;

    struct Item {
        QRectF rect;
        QString text;
        bool isCap = false;
    };
    // Caps, labels and the count, laid out in the widget's rectangle.
    QList<Item> layout() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qsizetype count_ = 0;
    KeyLabelStyle labelStyle_ = KeyLabels::platformDefault();
};
