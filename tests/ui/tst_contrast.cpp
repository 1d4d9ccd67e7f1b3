// Every text and every mark that carries meaning reads against what it is drawn on: 4.5:1 for text,
// 3:1 for symbols, controls and the selection's edge (WCAG 2 contrast ratios). The panel's card is
// translucent, so each of its surfaces is measured over a white and over a black window behind it;
// the settings' own colours are measured in a light and a dark palette.
#include "panel/PanelFixture.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/CorvaneRootView.h"
#include "ui/DarkPalette.h"
#include "catalogue/ui/AppIconView.h"
#include "keys/ui/KeyCapView.h"
#include "panel/ui/SectionHeaderView.h"
#include "panel/ui/ShortcutRowView.h"
#include "settings/ui/SettingsView.h"
#include "settings/ui/ToggleSwitch.h"
#include "ui/PanelStyle.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

constexpr double textMinimum = 4.5;
constexpr double markMinimum = 3.0;

double channel(double value)
{
    value /= 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// `top` painted over an opaque `bottom`.
QColor over(const QColor &top, const QColor &bottom)
{
    const double a = top.alphaF();
    auto mix = [a](int t, int b) { return qRound(t * a + b * (1 - a)); };
    return QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()), mix(top.blue(), bottom.blue()));
}

// The translucent card a blurring compositor gets: the harder case for the card's own texts.
QColor card(const QColor &desktop)
{
    return over(PanelStyle::cardFill(true), over(PanelStyle::cardShade(), desktop));
}

// Collects every pair and what fell short, so one run names all of them.
struct Ledger {
    QStringList failures;
    QStringList table;

    void check(const QString &what, const QColor &foreground, const QColor &background, double minimum)
    {
        const double ratio = contrast(over(foreground, background), background);
        const QString line = QStringLiteral("%1: %2 (at least %3)").arg(what).arg(ratio, 0, 'f', 2).arg(minimum);
        table << line;
        if (ratio < minimum)
            failures << line;
    }
    void verify() const
    {
        if (qEnvironmentVariableIsSet("CORVANE_CONTRAST_TABLE"))
            qInfo().noquote() << table.join(QLatin1Char('\n'));
        QVERIFY2(failures.isEmpty(), qPrintable(QLatin1Char('\n') + failures.join(QLatin1Char('\n'))));
    }
};

const QList<QPair<QString, QColor>> desktops{{QStringLiteral("over white"), Qt::white},
                                              {QStringLiteral("over black"), Qt::black}};

// A shortcut of two chords, so that its caps have a "then".
AppShortcuts appWithTwoChords()
{
    AppShortcuts app;
    app.slug = QStringLiteral("a");
    app.name = QStringLiteral("Alpha");
    ShortcutSection section{QStringLiteral("General"), {}};
    section.shortcuts.append(RawShortcut{QStringLiteral("Open"), QStringLiteral("ctrl+k ctrl+o"), std::nullopt});
    app.keymaps.append(Keymap{QStringLiteral("Default"), std::nullopt, {section}});
    return app;
}

} // namespace

class TestPanelContrast : public QObject {
    Q_OBJECT

    PanelFixture fixture{{appWithTwoChords()}};

private Q_SLOTS:
    // The texts of the card, the headers (in place and pinned), the chip and the footer.
    void cardTextsAndSymbols()
    {
        Ledger ledger;
        DisplaySection active;
        active.isActive = true;
        DisplaySection other;
        for (const auto &[behind, desktop] : desktops) {
            const QColor surface = card(desktop);
            const QList<QPair<QString, QColor>> headers{
                {QStringLiteral("header ") + behind, over(PanelStyle::headerFill(), surface)},
                {QStringLiteral("pinned header"), over(PanelStyle::headerFill(), PanelStyle::cardColor())}};
            auto text = [&](const QString &what, const QColor &color, const QColor &background) {
                ledger.check(what + QLatin1Char(' ') + behind, color, background, textMinimum);
            };
            auto mark = [&](const QString &what, const QColor &color, const QColor &background) {
                ledger.check(what + QLatin1Char(' ') + behind, color, background, markMinimum);
            };
            // Search text, its placeholder and icon; the empty state and the unknown-application
            // line; footer labels and count; the tooltip.
            text(QStringLiteral("primary on the card"), PanelStyle::primary(), surface);
            text(QStringLiteral("secondary on the card"), PanelStyle::secondary(), surface);
            text(QStringLiteral("tertiary on the card"), PanelStyle::tertiary(), surface);
            mark(QStringLiteral("search icon"), PanelStyle::secondary(), surface);
            text(QStringLiteral("chip name"), PanelStyle::secondary(), over(PanelStyle::chipFill(), surface));
            text(QStringLiteral("footer key cap"), PanelStyle::primary(), over(PanelStyle::hintCapFill(), surface));
            mark(QStringLiteral("scroll bar handle"), PanelStyle::scrollHandle(), surface);
            text(QStringLiteral("tooltip"), PanelStyle::toolTipText(), PanelStyle::toolTipFill());
            for (const auto &[where, header] : headers) {
                text(QStringLiteral("active section title on the ") + where,
                     SectionHeaderView{active, false, {}, {}}.titleColor(), header);
                text(QStringLiteral("section title on the ") + where, SectionHeaderView{other, false, {}, {}}.titleColor(),
                     header);
                text(QStringLiteral("section count on the ") + where, PanelStyle::tertiary(), header);
                mark(QStringLiteral("chevron on the ") + where, PanelStyle::secondary(), header);
                mark(QStringLiteral("favourites star on the ") + where, PanelStyle::yellow(), header);
                for (const AccentColor &accent : Preferences::accentPalette()) {
                    const QColor color = QColor::fromRgb(accent.rgb);
                    text(QStringLiteral("ACTIVE badge, %1, on the %2").arg(accent.name, where), PanelStyle::badgeText(color),
                         over(PanelStyle::badgeFill(color), header));
                }
            }
            for (const AccentColor &accent : Preferences::accentPalette()) {
                const QColor selection = over(PanelStyle::searchSelection(QColor::fromRgb(accent.rgb)), surface);
                text(QStringLiteral("selected search text, ") + accent.name, PanelStyle::primary(), selection);
            }
        }
        ledger.verify();
    }

    // Without a blurring compositor, a page of black text on white behind the panel cannot be read
    // through it: the rendered card over the page differs by at most 2 levels between ink and paper.
    // Over a blur the card is translucent again.
    void textBehindTheCardCannotBeRead()
    {
        StaticWorkspace workspace;
        IconLoader icons(&workspace, std::nullopt);
        CorvaneRootView root(*fixture.vm, *fixture.preferences, icons, [] {});
        root.resize(CorvaneRootView::cardWidth, CorvaneRootView::cardHeight);
        // Ink where x is even, paper where it is odd: every row of the card lies over both.
        QImage page(root.size(), QImage::Format_RGB32);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x)
                page.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        auto seeThrough = [&] {
            QImage seen = page;
            QPainter painter(&seen);
            painter.drawPixmap(0, 0, root.grab());
            painter.end();
            int most = 0;
            // Away from the rounded corners, along the empty margin right of the content.
            const int x = root.width() - 6;
            for (int y = 40; y < root.height() - 40; y += 7)
                most = qMax(most, qAbs(qGray(seen.pixel(x + 1, y)) - qGray(seen.pixel(x, y))));
            return most;
        };
        QVERIFY(!root.isBlurredBehind());
        QVERIFY2(seeThrough() <= 2, qPrintable(QString::number(seeThrough())));
        root.setBlurredBehind(true);
        QVERIFY(seeThrough() > 2);
    }

    // Rows of the active application and of the others, selected in every accent or not: title,
    // comment, star and key caps ("then" and the ellipsis cap included), and the selection's edge.
    void rowsInEveryState()
    {
        Ledger ledger;
        const ShortcutEntry keyed = fixture.store.entriesByApp().value(QStringLiteral("a")).first();
        for (const auto &[behind, desktop] : desktops) {
            const QColor surface = card(desktop);
            QList<QColor> accents{QColor()};
            for (const AccentColor &accent : Preferences::accentPalette())
                accents << QColor::fromRgb(accent.rgb);
            for (const QColor &accent : accents) {
                for (const bool dimmed : {false, true}) {
                    ShortcutRowView row(keyed);
                    row.dimmed = dimmed;
                    row.selected = accent.isValid();
                    row.accent = accent;
                    const QColor background = over(row.background(), surface);
                    const QString what = QStringLiteral("%1%2 row %3: ")
                                             .arg(row.selected ? QStringLiteral("selected (%1) ").arg(accent.name()) : QString(),
                                                  dimmed ? QStringLiteral("other application's") : QStringLiteral("active"),
                                                  behind);
                    ledger.check(what + QStringLiteral("title"), row.titleColor(), background, textMinimum);
                    ledger.check(what + QStringLiteral("comment"), row.commentColor(), background, textMinimum);
                    ledger.check(what + QStringLiteral("star"), row.starColor(), background, markMinimum);
                    const KeyCapView caps = row.keyCaps(600);
                    const QColor cap = over(PanelStyle::keyCapFill(row.drawsDimmed()), background);
                    ledger.check(what + QStringLiteral("key cap, the ellipsis cap too"), caps.labelColor(), cap, textMinimum);
                    ledger.check(what + QStringLiteral("mouse action"), caps.labelColor(), background, textMinimum);
                    ledger.check(what + QStringLiteral("\"then\""), caps.thenColor(), background, textMinimum);
                    if (row.selected)
                        ledger.check(what + QStringLiteral("edge against the card"), PanelStyle::selectionOutline(accent),
                                     surface, markMinimum);
                }
            }
        }
        ledger.verify();
    }

    // The ratio the settings' switch computes for itself is this one.
    void programRatioAgrees()
    {
        for (const auto &[a, b] : {QPair<QColor, QColor>{Qt::white, Qt::black}, {QColor(48, 140, 198), Qt::white},
                                   {QColor(61, 61, 61), QColor(235, 235, 245)}})
            QVERIFY(qAbs(PanelStyle::contrastRatio(a, b) - contrast(a, b)) < 0.005);
        QCOMPARE(PanelStyle::over(QColor(255, 255, 255, 128), Qt::black), over(QColor(255, 255, 255, 128), Qt::black));
    }

    // The letter on the tile of an application without an icon, whatever colour its name draws.
    void monogramLetters()
    {
        Ledger ledger;
        for (int i = 0; i < 2000; ++i) {
            const QString slug = QStringLiteral("app-%1").arg(i);
            const QColor tile = AppIconView::monogramColor(slug);
            if (contrast(Qt::white, tile) < textMinimum)
                ledger.check(QStringLiteral("monogram of %1 (hue %2)").arg(slug).arg(tile.hslHue()), Qt::white, tile,
                             textMinimum);
        }
        ledger.verify();
    }

    // The captions' softer text on the window and on the groups; the switch, rendered, off and on:
    // its track against the group, its knob against the track.
    void settingsInLightAndDarkPalettes()
    {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        settingsIn(fusion->standardPalette(), QStringLiteral("light"));
        if (!QTest::currentTestFailed())
            settingsIn(darkPalette(), QStringLiteral("dark"));
    }
    void settingsIn(const QPalette &palette, const QString &name)
    {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        Ledger ledger;
        {
            SettingsView view(*fixture.preferences);
            int captions = 0;
            for (QLabel *label : view.findChildren<QLabel *>()) {
                const QColor text = label->palette().color(QPalette::WindowText);
                if (text.alpha() == 255)
                    continue;
                ++captions;
                ledger.check(QStringLiteral("%1: \"%2\" on the window").arg(name, label->text().left(30)), text,
                             palette.color(QPalette::Window), textMinimum);
                ledger.check(QStringLiteral("%1: \"%2\" on a group").arg(name, label->text().left(30)), text,
                             palette.color(QPalette::Base), textMinimum);
            }
            QVERIFY(captions >= 2);

            ToggleSwitch toggle;
            toggle.setPalette(palette);
            for (const bool on : {false, true}) {
                toggle.setChecked(on);
                QImage image(toggle.size(), QImage::Format_RGB32);
                image.fill(palette.color(QPalette::Base));
                toggle.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
                const int middle = image.height() / 2;
                const QString state = on ? QStringLiteral("on") : QStringLiteral("off");
                // The track's end away from the knob, and its edge.
                const int farEnd = on ? 5 : image.width() - 6;
                QColor edge = image.pixelColor(on ? 1 : image.width() - 2, middle);
                for (int x : {1, 2, image.width() - 3, image.width() - 2}) {
                    const QColor c = image.pixelColor(x, middle);
                    if (contrast(c, palette.color(QPalette::Base)) > contrast(edge, palette.color(QPalette::Base)))
                        edge = c;
                }
                ledger.check(QStringLiteral("%1: switch %2: track on a group").arg(name, state), edge,
                             palette.color(QPalette::Base), markMinimum);
                const QColor knob = image.pixelColor(on ? image.width() - image.height() / 2 : image.height() / 2, middle);
                ledger.check(QStringLiteral("%1: switch %2: knob on the track").arg(name, state), knob,
                             image.pixelColor(farEnd, middle), markMinimum);
            }
        }
        QApplication::setPalette(before);
        ledger.verify();
    }
};

QTEST_MAIN(TestPanelContrast)
#include "tst_contrast.moc"
