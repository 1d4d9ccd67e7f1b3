#include "platform/freedesktop/GResourceReader.h"

#include "services/BoundedFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <gelf.h>
#include <libelf.h>
#include <unistd.h>

#include "platform/freedesktop/GioHandles.h"
#include "platform/freedesktop/ResourceBundleCheck.h"

#include <memory>

namespace {

constexpr int maxResourceEntries = 20000;
constexpr int maxResourceDepth = 32;

using Bytes = GioHandles::Owned<GBytes>;
using Resource = GioHandles::Owned<GResource>;

struct ElfEnd {
    void operator()(Elf *elf) const { elf_end(elf); }
};

// An open file descriptor of a regular file, closed on scope exit. Whatever else sits at the path (a
// FIFO, a device) is not kept open: without a writer, opening does not wait (O_NONBLOCK).
class Descriptor {
public:
    explicit Descriptor(const QString &path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY))
    {
        struct stat info {};
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

QString gerror(GError *error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown error");
    g_clear_error(&error);
    return message;
}

// Walks one bundle and keeps the .ui files `keep` accepts.
class BundleWalker {
public:
    BundleWalker(GResource *resource, const QString &container, const ProgramResources::Filter &keep,
                 QList<ProgramResources::File> &out, QStringList &skipped)
        : resource_(resource), container_(container), keep_(keep), out_(out), skipped_(skipped)
    {
    }

    void walk(const QByteArray &folder, int depth)
    {
        if (depth > maxResourceDepth || entries_ > maxResourceEntries)
            return;
        char **children = g_resource_enumerate_children(resource_, folder.constData(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
        if (!children)
            return;
        for (char **child = children; *child && entries_ <= maxResourceEntries; ++child) {
            ++entries_;
            const QByteArray path = folder + *child;
            if (path.endsWith('/'))
                walk(path, depth + 1);
            else if (path.endsWith(".ui"))
                consider(path);
        }
        g_strfreev(children);
    }

private:
    void consider(const QByteArray &path)
    {
        gsize size = 0;
        if (!g_resource_get_info(resource_, path.constData(), G_RESOURCE_LOOKUP_FLAGS_NONE, &size, nullptr, nullptr))
            return;
        if (qint64(size) > ProgramResources::maxResourceSize) {
            skipped_ << QStringLiteral("%1: larger than %2 bytes").arg(QString::fromUtf8(path)).arg(ProgramResources::maxResourceSize);
            return;
        }
        Bytes data(g_resource_lookup_data(resource_, path.constData(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
        if (!data)
            return;
        gsize length = 0;
        const auto *bytes = static_cast<const char *>(g_bytes_get_data(data.get(), &length));
        if (qint64(length) > ProgramResources::maxResourceSize)
            return;
        // A view of GIO's bytes for the filter; copied only when kept.
        const QByteArray view = QByteArray::fromRawData(bytes ? bytes : "", qsizetype(length));
        const QString resourcePath = QString::fromUtf8(path);
        if (keep_(resourcePath, view))
            out_.append(ProgramResources::File{resourcePath, container_, QByteArray(view.constData(), view.size())});
    }

    GResource *resource_;
    const QString &container_;
    const ProgramResources::Filter &keep_;
    QList<ProgramResources::File> &out_;
    QStringList &skipped_;
    int entries_ = 0;
};

// Reads one bundle of `size` bytes at `data`, copied (so that GIO gets the alignment it needs and
// owns what it reads). Returns an error text, empty on success.
QString readOneBundle(const char *data, size_t size, const QString &container, const ProgramResources::Filter &keep,
                      QList<ProgramResources::File> &out, QStringList &skipped)
{
    Bytes bytes(g_bytes_new(data, size));
    GError *error = nullptr;
    Resource resource(g_resource_new_from_data(bytes.get(), &error));
    if (!resource)
        return QStringLiteral("not a resource bundle: ") + gerror(error);
    BundleWalker(resource.get(), container, keep, out, skipped).walk(QByteArrayLiteral("/"), 0);
    return QString();
}

// Reads every bundle in `data`: a bundle file holds one, but the linker puts all the bundles of one
// name (a program's own and those of the static libraries it links) one after the other into a
// section. Each is checked before GIO sees it. Returns an error text, empty on success.
QString readBundles(const char *data, size_t size, const QString &container, const ProgramResources::Filter &keep,
                    QList<ProgramResources::File> &out, QStringList &skipped)
{
    if (qint64(size) > GResourceReader::maxBundleSize)
        return QStringLiteral("resource bundle larger than %1 bytes").arg(GResourceReader::maxBundleSize);
    int index = 0;
    for (size_t at = 0; at < size; ++index) {
        const ResourceBundleCheck::Result checked = ResourceBundleCheck::check(data + at, size - at);
        const QString where = index == 0 ? QString() : QStringLiteral("bundle at offset %1: ").arg(at);
        if (!checked.error.isEmpty())
            return where + QStringLiteral("damaged resource bundle: ") + checked.error;
        const QString error = readOneBundle(data + at, checked.length, container, keep, out, skipped);
        if (!error.isEmpty())
            return where + error;
        at += ResourceBundleCheck::nextBundle(data + at, size - at, checked.length);
    }
    return QString();
}

struct ElfScan {
    QString error;
    QStringList needed;   // DT_NEEDED names
    QStringList runpath;  // DT_RUNPATH, else DT_RPATH, split at ':'
};

// The .gresource.* sections of one ELF file, and the libraries it names.
ElfScan scanElf(Elf *elf, const QString &path, const ProgramResources::Filter &keep, QList<ProgramResources::File> &out,
               QStringList &skipped)
{
    ElfScan scan;
    size_t names = 0;
    if (elf_getshdrstrndx(elf, &names) != 0) {
        scan.error = QStringLiteral("no section names: ") + QString::fromUtf8(elf_errmsg(-1));
        return scan;
    }
    // Every section the header announces must be there: a truncated file or a section table that
    // points elsewhere fails here rather than reading as a program without resources.
    size_t count = 0;
    if (elf_getshdrnum(elf, &count) != 0) {
        scan.error = QStringLiteral("no section table: ") + QString::fromUtf8(elf_errmsg(-1));
        return scan;
    }
    GElf_Ehdr header;
    if (!gelf_getehdr(elf, &header)) {
        scan.error = QStringLiteral("bad ELF header: ") + QString::fromUtf8(elf_errmsg(-1));
        return scan;
    }
    // libelf counts no sections at all when the table lies outside the file.
    if ((header.e_shnum != 0 && count != header.e_shnum) || (count > 0 && !elf_getscn(elf, count - 1))) {
        scan.error = QStringLiteral("the section table is missing or lies outside the file");
        return scan;
    }
    QString runpath, rpath;
    for (Elf_Scn *section = elf_nextscn(elf, nullptr); section; section = elf_nextscn(elf, section)) {
        GElf_Shdr header;
        if (!gelf_getshdr(section, &header)) {
            scan.error = QStringLiteral("bad section header: ") + QString::fromUtf8(elf_errmsg(-1));
            return scan;
        }
        const char *name = elf_strptr(elf, names, header.sh_name);
        if (!name)
            continue;
        if (header.sh_type == SHT_DYNAMIC) {
            Elf_Data *data = elf_getdata(section, nullptr);
            if (!data)
                continue;
            const size_t count = header.sh_entsize ? header.sh_size / header.sh_entsize : 0;
            for (size_t i = 0; i < count && i < 4096; ++i) {
                GElf_Dyn dyn;
                if (!gelf_getdyn(data, int(i), &dyn))
                    break;
                if (dyn.d_tag != DT_NEEDED && dyn.d_tag != DT_RUNPATH && dyn.d_tag != DT_RPATH)
                    continue;
                const char *text = elf_strptr(elf, header.sh_link, dyn.d_un.d_val);
                if (!text)
                    continue;
                if (dyn.d_tag == DT_NEEDED)
                    scan.needed << QString::fromUtf8(text);
                else if (dyn.d_tag == DT_RUNPATH)
                    runpath = QString::fromUtf8(text);
                else
                    rpath = QString::fromUtf8(text);
            }
            continue;
        }
        if (qstrncmp(name, ".gresource.", 11) != 0 || header.sh_type == SHT_NOBITS)
            continue;
        if (header.sh_size > quint64(GResourceReader::maxBundleSize)) {
            scan.error = QStringLiteral("section %1 larger than %2 bytes").arg(QString::fromUtf8(name)).arg(GResourceReader::maxBundleSize);
            return scan;
        }
        Elf_Data *data = elf_rawdata(section, nullptr);
        if (!data || !data->d_buf) {
            scan.error = QStringLiteral("unreadable section %1: %2").arg(QString::fromUtf8(name), QString::fromUtf8(elf_errmsg(-1)));
            return scan;
        }
        const QString error = readBundles(static_cast<const char *>(data->d_buf), data->d_size, path, keep, out, skipped);
        if (!error.isEmpty()) {
            scan.error = QStringLiteral("section %1: %2").arg(QString::fromUtf8(name), error);
            return scan;
        }
    }
    const QString origin = QFileInfo(path).absolutePath();
    for (const QString &folder : (runpath.isEmpty() ? rpath : runpath).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        QString resolved = folder;
        resolved.replace(QLatin1String("${ORIGIN}"), origin).replace(QLatin1String("$ORIGIN"), origin);
        scan.runpath << resolved;
    }
    return scan;
}

enum class Kind { Elf, Bundle, Ui, Other };

Kind kindOf(const QString &path)
{
    const Descriptor file(path);
    char bytes[8] = {};
    if (file.fd() < 0 || ::pread(file.fd(), bytes, sizeof bytes, 0) != qint64(sizeof bytes))
        return path.endsWith(QLatin1String(".ui")) ? Kind::Ui : Kind::Other;
    const QByteArray head(bytes, sizeof bytes);
    if (head.startsWith("\x7f" "ELF"))
        return Kind::Elf;
    if (head == "GVariant")
        return Kind::Bundle;
    if (path.endsWith(QLatin1String(".ui")))
        return Kind::Ui;
    return Kind::Other;
}

// Reads the ELF file at `path`. Returns false (with the error) when it cannot be read at all.
ElfScan readElfFile(const QString &path, const ProgramResources::Filter &keep, QList<ProgramResources::File> &out,
                    QStringList &skipped)
{
    ElfScan scan;
    const Descriptor file(path);
    if (file.fd() < 0) {
        scan.error = QStringLiteral("cannot open");
        return scan;
    }
    // Read with pread into libelf's own buffers, never mapped: a file that shrinks while it is read
    // then reads short (an error) instead of faulting on a page that is gone.
    std::unique_ptr<Elf, ElfEnd> elf(elf_begin(file.fd(), ELF_C_READ, nullptr));
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF) {
        scan.error = QStringLiteral("not a readable ELF file: ") + QString::fromUtf8(elf_errmsg(-1));
        return scan;
    }
    return scanElf(elf.get(), path, keep, out, skipped);
}

} // namespace

ProgramResources::Result GResourceReader::uiFiles(const QString &path, const Filter &keep)
{
    Result result;
    const QFileInfo info(path);
    if (!info.isFile()) {
        result.error = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return result;
    }
    const Kind kind = kindOf(path);
    switch (kind) {
    case Kind::Ui:
    case Kind::Bundle: {
        const BoundedFileReader::Result file = BoundedFileReader::read(path, kind == Kind::Ui ? maxResourceSize : maxBundleSize);
        if (file.outcome != BoundedFileReader::Outcome::Read) {
            result.error = file.outcome == BoundedFileReader::Outcome::Absent ? QStringLiteral("no such file") : file.reason;
            return result;
        }
        if (kind == Kind::Bundle)
            result.error = readBundles(file.bytes.constData(), size_t(file.bytes.size()), path, keep, result.files, result.skipped);
        else if (keep(path, file.bytes))
            result.files.append(File{path, path, file.bytes});
        return result;
    }
    case Kind::Elf:
        break;
    case Kind::Other:
        result.error = QStringLiteral("neither an ELF file, a resource bundle nor a .ui file");
        return result;
    }

    if (elf_version(EV_CURRENT) == EV_NONE) {
        result.error = QStringLiteral("libelf is out of date");
        return result;
    }
    const ElfScan program = readElfFile(path, keep, result.files, result.skipped);
    if (!program.error.isEmpty()) {
        result.error = program.error;
        return result;
    }
    // The program's own libraries: those it finds through its run path (system libraries are
    // found through the loader's default folders and carry no shortcuts window of the program).
    if (!result.files.isEmpty())
        return result;
    int looked = 0;
    QSet<QString> seen;
    for (const QString &library : program.needed) {
        for (const QString &folder : program.runpath) {
            const QString candidate = QDir(folder).filePath(library);
            if (looked >= maxLibraries || seen.contains(candidate) || !QFileInfo(candidate).isFile())
                continue;
            seen.insert(candidate);
            ++looked;
            // A damaged library costs its own shortcuts only.
            QStringList ignored;
            readElfFile(candidate, keep, result.files, ignored);
        }
    }
    if (!result.files.isEmpty())
        return result;
    // Bundles a program loads at run time from its data folder: <prefix>/share/<program>/*.gresource
    // for a program in <prefix>/bin.
    const QFileInfo file(path);
    if (file.absolutePath().endsWith(QLatin1String("/bin"))) {
        QDir folder(QFileInfo(file.absolutePath()).absolutePath() + QStringLiteral("/share/") + file.fileName());
        const QFileInfoList bundles = folder.entryInfoList({QStringLiteral("*.gresource")}, QDir::Files, QDir::Name);
        for (qsizetype i = 0; i < bundles.size() && i < maxLibraries; ++i) {
            const BoundedFileReader::Result bundle = BoundedFileReader::read(bundles[i].filePath(), maxBundleSize);
            if (bundle.outcome != BoundedFileReader::Outcome::Read)
                continue;
            QStringList ignored;
            readBundles(bundle.bytes.constData(), size_t(bundle.bytes.size()), bundles[i].filePath(), keep, result.files, ignored);
        }
    }
    return result;
}
