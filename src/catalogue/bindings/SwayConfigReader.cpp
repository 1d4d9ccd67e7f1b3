#include "catalogue/bindings/SwayConfigReader.h"

#include "catalogue/bindings/ActionBindings.h"
#include "catalogue/bindings/BindingFile.h"
#include "services/SystemLog.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

class Reader {
public:
    Reader(AppBindings &out, const QProcessEnvironment &env) : out_(out), env_(env) {}

    bool readFile(const QString &path, int depth)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        // A file already on the way here is an include loop; one read before adds nothing new.
        if (canonical.isEmpty() || visited_.contains(canonical) || depth > SwayConfigReader::maxIncludeDepth
            || files_ >= SwayConfigReader::maxFiles)
            return false;
        visited_.insert(canonical);
        ++files_;
        const auto bytes = BindingFile::read(canonical);
        if (!bytes)
            return false;
        // No text file holds a NUL byte: this is something else under a config's name (an
        // included file of that kind is passed by).
        if (bytes->contains('\0')) {
            unreadable_ = unreadable_ || depth == 0;
            return depth == 0;
        }
        const QString text = QString::fromUtf8(*bytes);
        const QString folder = QFileInfo(canonical).absolutePath();
        QString pending;
        for (const QString &raw : text.split(QLatin1Char('\n'))) {
            QString line = raw;
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            // A backslash at the end continues the line.
            if (line.endsWith(QLatin1Char('\\'))) {
                pending += line.left(line.size() - 1);
                continue;
            }
            line = pending + line;
            pending.clear();
            if (tooMuch())
                return true;
            handleLine(line.trimmed(), canonical, folder, depth);
        }
        return true;
    }

    // True when the files read so far hold something to read, but not one line a window manager's
    // config has: text of another kind (or binary garbage) under a config's name.
    bool unreadable() const { return unreadable_ || (contentLines_ > 0 && readableLines_ == 0); }
    // True when the expansion of variables ran over its limit; what was read before is kept.
    bool tooMuch() const { return expanded_ > SwayConfigReader::maxExpandedSize; }

private:
    // A comment, a closing brace, or a line that starts with a command word or, in a block, a key
    // ("$mod+Return exec foot").
    static bool readable(const QString &line)
    {
        if (line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char('}')))
            return true;
        const auto wordChar = [](QChar c) {
            return c.unicode() < 128 && (c.isLetterOrNumber() || QStringView(u"_-$+.:").contains(c));
        };
        const QChar first = line[0];
        if (!(first.unicode() < 128 && (first.isLetter() || first == QLatin1Char('$'))))
            return false;
        qsizetype i = 1;
        while (i < line.size() && wordChar(line[i]))
            ++i;
        return i == line.size() || line[i].isSpace() || line[i] == QLatin1Char('{');
    }

    void handleLine(const QString &line, const QString &file, const QString &folder, int depth)
    {
        if (line.isEmpty())
            return;
        ++contentLines_;
        if (!readable(line))
            return;
        ++readableLines_;
        if (line.startsWith(QLatin1Char('#')))
            return;
        if (line == QLatin1String("}")) {
            if (!blocks_.isEmpty())
                blocks_.removeLast();
            return;
        }
        static const QRegularExpression space(QStringLiteral("\\s+"));
        const QStringList words = line.split(space, Qt::SkipEmptyParts);
        const QString &first = words.first();
        const bool opensBlock = line.endsWith(QLatin1Char('{'));
        if (inBindsymBlock()) {
            // "KEY COMMAND" lines of a "bindsym { ... }" block.
            if (!opensBlock)
                addBinding(words, 0, file);
            else
                blocks_.append(QString());
            return;
        }
        if (first == QLatin1String("set") && words.size() >= 3 && words[1].startsWith(QLatin1Char('$'))) {
            const qsizetype at = line.indexOf(words[1]) + words[1].size();
            if (words[1].size() > SwayConfigReader::maxVariableName)
                return;
            const QString value = expand(line.mid(at).trimmed());
            if (value.size() > SwayConfigReader::maxExpandedLine)
                return;  // refused (expand() counted it): later uses stay unexpanded
            variables_.insert(words[1], value);
            longestName_ = std::max(longestName_, words[1].size());
            return;
        }
        if (first == QLatin1String("include") && words.size() >= 2) {
            include(expand(line.mid(line.indexOf(QLatin1String("include")) + 7).trimmed()), folder, depth);
            return;
        }
        if (opensBlock) {
            if (first == QLatin1String("mode")) {
                // mode [--pango_markup] "name" {
                QString name = line.mid(4, line.size() - 5).trimmed();
                if (name.startsWith(QLatin1String("--pango_markup")))
                    name = name.mid(14).trimmed();
                if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
                    name = name.mid(1, name.size() - 2);
                blocks_.append(QStringLiteral("mode:") + expand(name));
            } else if (first == QLatin1String("bindsym") && words.size() == 2) {
                blocks_.append(QStringLiteral("bindsym"));
            } else {
                blocks_.append(QString());  // bar, input, output...: their bindings are not keys
            }
            return;
        }
        if (first == QLatin1String("bindsym") && (blocks_.isEmpty() || blocks_.constLast().startsWith(QLatin1String("mode:"))))
            addBinding(words, 1, file);
    }

    bool inBindsymBlock() const { return !blocks_.isEmpty() && blocks_.constLast() == QLatin1String("bindsym"); }

    QString mode() const
    {
        for (auto it = blocks_.crbegin(); it != blocks_.crend(); ++it) {
            if (it->startsWith(QLatin1String("mode:")))
                return it->mid(5);
        }
        return QString();
    }

    // words[from] onwards: [--flags] KEY COMMAND...
    void addBinding(const QStringList &words, qsizetype from, const QString &file)
    {
        qsizetype i = from;
        while (i < words.size() && words[i].startsWith(QLatin1String("--")))
            ++i;
        if (i + 1 >= words.size())
            return;
        const QString key = expand(words[i]);
        QString command = words.mid(i + 1).join(QLatin1Char(' '));
        QString title = expand(command);
        if (key.size() > SwayConfigReader::maxExpandedLine || title.size() > SwayConfigReader::maxExpandedLine)
            return;
        const QString modeName = mode();
        UserBinding binding;
        binding.action = modeName.isEmpty() ? command : QLatin1Char('[') + modeName + QStringLiteral("] ") + command;
        binding.keys = {key};
        binding.title = std::move(title);
        if (!modeName.isEmpty()) {
            QString section = modeName;
            section[0] = section[0].toUpper();
            binding.section = section + QStringLiteral(" mode");
        }
        binding.origin = file;
        out_.bindings.append(std::move(binding));
    }

    // Each $name replaced by its value in one pass, as sway does: at each '$' the longest variable
    // name that matches there (so that $mod does not eat into $modifier); a value is not expanded
    // again. A result longer than maxExpandedLine is cut there: the caller refuses it. Everything
    // expanded counts towards maxExpandedSize, so that values that double line by line end early.
    QString expand(const QString &text)
    {
        if (!text.contains(QLatin1Char('$')))
            return text;
        QString out;
        qsizetype last = 0;
        for (qsizetype at = text.indexOf(QLatin1Char('$')); at >= 0; at = text.indexOf(QLatin1Char('$'), last)) {
            out += QStringView(text).mid(last, at - last);
            last = at + 1;
            out += QLatin1Char('$');
            for (qsizetype length = std::min(longestName_, text.size() - at); length >= 2; --length) {
                const auto found = variables_.constFind(text.mid(at, length));
                if (found != variables_.constEnd()) {
                    out.chop(1);
                    out += *found;
                    last = at + length;
                    break;
                }
            }
            if (out.size() > SwayConfigReader::maxExpandedLine)
                break;
        }
        if (out.size() <= SwayConfigReader::maxExpandedLine)
            out += QStringView(text).mid(last);
        expanded_ += out.size();
        return out;
    }

    QString expandPath(QString path, const QString &folder) const
    {
        if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
            path = path.mid(1, path.size() - 2);
        if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
            path = env_.value(QStringLiteral("HOME")) + path.mid(1);
        static const QRegularExpression variable(QStringLiteral("\\$\\{?([A-Za-z_][A-Za-z0-9_]*)\\}?"));
        QString expanded;
        qsizetype last = 0;
        for (auto it = variable.globalMatch(path); it.hasNext();) {
            const auto match = it.next();
            expanded += path.mid(last, match.capturedStart() - last) + env_.value(match.captured(1));
            last = match.capturedEnd();
        }
        expanded += path.mid(last);
        return QDir(folder).absoluteFilePath(expanded);
    }

    void include(const QString &pattern, const QString &folder, int depth)
    {
        const QString path = expandPath(pattern, folder);
        const QFileInfo info(path);
        const QString name = info.fileName();
        if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')) || name.contains(QLatin1Char('['))) {
            // A glob in the last component, matched in sorted order as the shell does.
            const QStringList matches = QDir(info.absolutePath()).entryList({name}, QDir::Files | QDir::Hidden, QDir::Name);
            for (const QString &match : matches) {
                if (files_ >= SwayConfigReader::maxFiles)
                    break;
                readFile(info.absolutePath() + QLatin1Char('/') + match, depth + 1);
            }
            return;
        }
        readFile(path, depth + 1);
    }

    AppBindings &out_;
    const QProcessEnvironment &env_;
    QHash<QString, QString> variables_;
    QStringList blocks_;
    QSet<QString> visited_;
    int files_ = 0;
    qsizetype longestName_ = 0;
    qint64 expanded_ = 0;
    qint64 contentLines_ = 0;
    qint64 readableLines_ = 0;
    bool unreadable_ = false;
};

} // namespace

std::optional<AppBindings> SwayConfigReader::read(const QString &path, const QString &app, const QProcessEnvironment &env)
{
    AppBindings result;
    result.app = app;
    result.notation = AppBindings::Notation::Sway;
    result.complete = true;
    Reader reader(result, env);
    if (!reader.readFile(path, 0))
        return std::nullopt;
    // Then the user did not remove every binding: the file is not a config at all. The shipped
    // bindings stay.
    if (reader.unreadable()) {
        SystemLog::shared().write(QStringLiteral("Corvane: %1 holds no line of a config: unreadable, ignored")
                                      .arg(SystemLog::escaped(path)));
        return std::nullopt;
    }
    if (reader.tooMuch())
        SystemLog::shared().write(QStringLiteral("Corvane: the variables of %1 expand to more than %2 characters: read up to there")
                                      .arg(SystemLog::escaped(path))
                                      .arg(maxExpandedSize));
    // The config is all the window manager binds: the keys of one command, wherever they are
    // bound, are all that command has.
    ActionBindings merged;
    for (UserBinding &binding : result.bindings)
        merged.add(std::move(binding));
    result.bindings = merged.take();
    return result;
}
