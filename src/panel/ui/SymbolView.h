#pragma once

#include <QColor>
#include <QWidget>

// One of our symbol drawings at a font size, in a colour.
class SymbolView : public QWidget {
    Q_OBJECT
public:
    SymbolView(const QString &name, qreal fontSize, const QColor &color, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString name_;
    qreal side_;
    QColor color_;
};
