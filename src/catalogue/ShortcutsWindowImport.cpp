#include "catalogue/ShortcutsWindowImport.h"

#include "catalogue/ActionAccelerators.h"
#include "catalogue/ShortcutsWindowReader.h"
#include "keys/GtkAccelerator.h"
#include "services/BoundedFileReader.h"
#include "platform/ProgramResources.h"

#include <optional>

namespace {

// Keys for the rows whose keys the program sets at run time: GTK's own key for the help overlay, else
// the program file's string literals. A row whose key is not found stays, without a key.
void findRuntimeKeys(ShortcutsWindowImport::Result &result)
{
    const bool helpOverlay = result.resourcePath.endsWith(QLatin1String("help-overlay.ui"));
    std::optional<QByteArray> program;
    for (ShortcutSection &section : result.sections) {
        QList<RawShortcut> rows;
        for (const RawShortcut &row : std::as_const(section.shortcuts)) {
            if (row.hasKey() || !row.action() || row.commentView() != ShortcutsWindowReader::keySetByProgram()) {
                rows << row;
                continue;
            }
            QStringList accelerators;
            if (helpOverlay && *row.action() == ActionAccelerators::helpOverlayAction()) {
                accelerators << ActionAccelerators::helpOverlayAccelerator();
            } else {
                if (!program) {
                    const BoundedFileReader::Result file =
                        BoundedFileReader::read(result.container, ShortcutsWindowImport::maxProgramSize);
                    if (file.outcome != BoundedFileReader::Outcome::Read && !file.reason.isEmpty())
                        result.warnings << QStringLiteral("keys set by the program not looked for: %1").arg(file.reason);
                    program = file.bytes;
                }
                accelerators = ActionAccelerators::find(*program, *row.action());
            }
            QList<RawShortcut> found;
            for (const QString &accelerator : std::as_const(accelerators)) {
                for (const GtkAccelerator::Key &key : GtkAccelerator::convert(accelerator).keys) {
                    RawShortcut keyed = row;
                    keyed.setKey(key.key);
                    keyed.setComment(key.comment);
                    found << keyed;
                }
            }
            if (found.isEmpty()) {
                result.warnings << QStringLiteral("\"%1\": the program sets its key (action %2); listed without one")
                                       .arg(row.title(), *row.action());
                rows << row;
            } else {
                rows << found;
            }
        }
        section.shortcuts = rows;
    }
}

} // namespace

ShortcutsWindowImport::Result ShortcutsWindowImport::fromFile(ProgramResources &resources, const QString &path,
                                                              const ShortcutsWindowReader::Translate &translate)
{
    Result result;
    const ProgramResources::Result files = resources.uiFiles(
        path, [](const QString &, const QByteArray &bytes) { return ShortcutsWindowReader::mentionsShortcutsWindow(bytes); });
    if (!files.error.isEmpty()) {
        result.error = files.error;
        return result;
    }
    qsizetype bestCount = 0;
    bool bestIsOverlay = false;
    QStringList errors;
    for (const ProgramResources::File &file : files.files) {
        ShortcutsWindowReader::Result read = ShortcutsWindowReader::read(file.bytes, translate);
        if (!read.error.isEmpty()) {
            // A .ui file read on its own is already named by the caller.
            errors << (file.resourcePath == file.container ? read.error : file.resourcePath + QStringLiteral(": ") + read.error);
            continue;
        }
        const qsizetype count = read.shortcutCount();
        const bool overlay = file.resourcePath.endsWith(QLatin1String("help-overlay.ui"));
        if (count == 0 || (bestIsOverlay && !overlay) || (bestIsOverlay == overlay && count <= bestCount))
            continue;
        bestCount = count;
        bestIsOverlay = overlay;
        result.sections = std::move(read.sections);
        result.warnings = std::move(read.warnings);
        result.resourcePath = file.resourcePath;
        result.container = file.container;
    }
    if (result.found()) {
        findRuntimeKeys(result);
        // Another window that could not be read is still worth a line.
        for (const QString &error : std::as_const(errors))
            result.warnings << QStringLiteral("not read: ") + error;
    }
    errors << files.skipped;
    if (!result.found() && !errors.isEmpty())
        result.error = errors.join(QStringLiteral("; "));
    return result;
}
