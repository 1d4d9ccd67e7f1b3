#include "settings/ui/AccentSwatchAccessible.h"

#include "settings/ui/AccentSwatch.h"

AccentSwatchAccessible::AccentSwatchAccessible(AccentSwatch *swatch)
    : QAccessibleWidget(swatch, QAccessible::RadioButton)
{
}

QAccessibleInterface *AccentSwatchAccessible::factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("AccentSwatch") && object && object->isWidgetType())
        return new AccentSwatchAccessible(static_cast<AccentSwatch *>(object));
    return nullptr;
}

QAccessible::State AccentSwatchAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = static_cast<AccentSwatch *>(widget())->isSelected();
    return state;
}

QStringList AccentSwatchAccessible::actionNames() const
{
    return {pressAction()};
}

void AccentSwatchAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        static_cast<AccentSwatch *>(widget())->click();
}
