#pragma once

#include <QObject>
#include <QString>

// The process's notification centre: named notifications without payload, delivered on the main
// thread to whoever listens.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    static NotificationCenter &shared();

    void post(const QString &name) { Q_EMIT posted(name); }

Q_SIGNALS:
    void posted(const QString &name);

private:
    NotificationCenter() = default;
};
