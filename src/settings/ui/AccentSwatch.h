#pragma once

#include <QAbstractButton>
#include <QColor>

// One colour of the accent palette: a 20-point circle, ringed when it is the chosen one.
class AccentSwatch : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int diameter = 20;
    static constexpr int ring = 2;

    AccentSwatch(const QString &name, QColor color, QWidget *parent = nullptr);
    const QString &name() const { return accentName_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    QSize sizeHint() const override { return QSize(diameter + 2 * ring, diameter + 2 * ring); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString accentName_;
    QColor color_;
    bool selected_ = false;
};
