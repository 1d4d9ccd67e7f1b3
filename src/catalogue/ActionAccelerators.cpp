#include "catalogue/ActionAccelerators.h"

#include "keys/GtkAccelerator.h"

#include <QRegularExpression>

#include <optional>

namespace {

enum class Kind { Accelerator, Action, Other };

// The longest run of neighbouring strings looked at on either side of an action name.
constexpr int maxRun = 64;

Kind kindOf(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 64)
        return Kind::Other;
    for (char c : text) {
        if (c < 0x20 || c > 0x7e)
            return Kind::Other;
    }
    static const QRegularExpression action(QStringLiteral("^[a-z][a-z0-9]{0,15}\\.[a-z][a-z0-9-]*$"));
    static const QRegularExpression functionKey(QStringLiteral("^F([1-9]|1[0-9]|2[0-4])$"));
    const QString string = QString::fromLatin1(text);
    if (action.match(string).hasMatch())
        return Kind::Action;
    if ((string.startsWith(QLatin1Char('<')) && GtkAccelerator::convertChord(string))
        || functionKey.match(string).hasMatch())
        return Kind::Accelerator;
    return Kind::Other;
}

// NUL-terminated strings around one place in the bytes.
class Strings {
public:
    explicit Strings(const QByteArray &bytes) : bytes_(bytes) {}

    // The string after the one ending at `end` (where its NUL is), past any further NULs.
    qsizetype nextStart(qsizetype end) const
    {
        qsizetype p = end;
        while (p < bytes_.size() && bytes_.at(p) == '\0')
            ++p;
        return p < bytes_.size() ? p : -1;
    }

    // The start of the string before the one beginning at `start`, past the NULs between them.
    qsizetype previousStart(qsizetype start) const
    {
        qsizetype p = start - 1;
        if (p < 0 || bytes_.at(p) != '\0')
            return -1;
        while (p >= 0 && bytes_.at(p) == '\0')
            --p;
        if (p < 0)
            return -1;
        while (p > 0 && bytes_.at(p - 1) != '\0')
            --p;
        return p;
    }

    // The string at `start`; a longer one than any key or action name is cut short.
    QByteArray at(qsizetype start) const
    {
        qsizetype end = start;
        while (end < bytes_.size() && end - start <= 64 && bytes_.at(end) != '\0')
            ++end;
        return bytes_.mid(start, end - start);
    }

private:
    const QByteArray &bytes_;
};

struct Item {
    Kind kind;
    QByteArray text;
};

// The keys the run gives the action at `index`, when its layout is one of those read.
std::optional<QStringList> pairedKeys(const QList<Item> &run, qsizetype index)
{
    qsizetype accelerators = 0;
    bool adjacentAccelerators = false;
    for (qsizetype i = 0; i < run.size(); ++i) {
        if (run[i].kind != Kind::Accelerator)
            continue;
        ++accelerators;
        if (i > 0 && run[i - 1].kind == Kind::Accelerator)
            adjacentAccelerators = true;
    }
    if (accelerators == 0)
        return std::nullopt;
    if (adjacentAccelerators) {
        // Arrays: k accelerators, then k action names.
        const qsizetype k = run.size() / 2;
        if (run.size() % 2 != 0)
            return std::nullopt;
        for (qsizetype i = 0; i < run.size(); ++i) {
            if (run[i].kind != (i < k ? Kind::Accelerator : Kind::Action))
                return std::nullopt;
        }
        return QStringList{QString::fromLatin1(run[index - k].text)};
    }
    const Kind first = run.constFirst().kind;
    const Kind last = run.constLast().kind;
    if (first == last)
        return std::nullopt;
    const qsizetype partner = first == Kind::Accelerator ? index - 1 : index + 1;
    if (partner < 0 || partner >= run.size() || run[partner].kind != Kind::Accelerator)
        return QStringList();  // this action has no key of its own in the run
    return QStringList{QString::fromLatin1(run[partner].text)};
}

} // namespace

QStringList ActionAccelerators::find(const QByteArray &program, const QString &action)
{
    const QByteArray name = action.toLatin1();
    if (kindOf(name) != Kind::Action)
        return {};
    const QByteArray needle = '\0' + name + '\0';
    const Strings strings(program);
    std::optional<QStringList> found;
    for (qsizetype at = program.indexOf(needle); at >= 0; at = program.indexOf(needle, at + 1)) {
        const qsizetype start = at + 1;
        QList<Item> run{Item{Kind::Action, name}};
        qsizetype index = 0;
        for (qsizetype p = strings.previousStart(start); p >= 0 && index < maxRun; p = strings.previousStart(p)) {
            Item item{Kind::Other, strings.at(p)};
            item.kind = kindOf(item.text);
            if (item.kind == Kind::Other)
                break;
            run.prepend(item);
            ++index;
        }
        for (qsizetype p = strings.nextStart(start + name.size()); p >= 0 && run.size() - index <= maxRun;) {
            Item item{Kind::Other, strings.at(p)};
            item.kind = kindOf(item.text);
            if (item.kind == Kind::Other)
                break;
            run.append(item);
            p = strings.nextStart(p + item.text.size());
        }
        const auto keys = pairedKeys(run, index);
        if (!keys || keys->isEmpty())
            continue;
        if (found && *found != *keys)
            return {};  // two places that disagree
        found = keys;
    }
    return found.value_or(QStringList());
}
