#pragma once

#include "platform/RunningApp.h"

#include <QWidget>
#include <optional>

class IconLoader;

// The capsule in the header naming the application whose shortcuts come first, with its icon.
class ActiveAppChip : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal paddingX = 8;
    static constexpr qreal paddingY = 4;
    static constexpr qreal spacing = 6;
    static constexpr qreal iconSize = 16;

    explicit ActiveAppChip(IconLoader &icons, QWidget *parent = nullptr);

    // Hidden when `name` is empty. The icon is the running application's own where it has one,
    // else the one of `bundleId` and `iconFile`.
    void setApp(const QString &name, const std::optional<QString> &bundleId, const std::optional<QString> &iconFile,
                const std::optional<RunningApp> &running);
    const QString &name() const { return appName_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    IconLoader &icons_;
    QString appName_;
    std::optional<QString> bundleId_;
    std::optional<QString> iconFile_;
    std::optional<RunningApp> running_;
};
