#pragma once

#include <QAccessibleWidget>

class AccentSwatch;

// An accent swatch for assistive technologies: one radio button of the accent colours, checked when
// it is the chosen colour, pressed to choose it.
class AccentSwatchAccessible : public QAccessibleWidget {
public:
    explicit AccentSwatchAccessible(AccentSwatch *swatch);

    // Qt's factory hook: the interface for an AccentSwatch, else none.
    static QAccessibleInterface *factory(const QString &className, QObject *object);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};
