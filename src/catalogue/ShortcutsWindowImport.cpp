#include "catalogue/ShortcutsWindowImport.h"

#include "catalogue/ShortcutsWindowReader.h"
#include "platform/ProgramResources.h"

ShortcutsWindowImport::Result ShortcutsWindowImport::fromFile(ProgramResources &resources, const QString &path)
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
        ShortcutsWindowReader::Result read = ShortcutsWindowReader::read(file.bytes);
        if (!read.error.isEmpty()) {
            errors << file.resourcePath + QStringLiteral(": ") + read.error;
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
    errors << files.skipped;
    if (!result.found() && !errors.isEmpty())
        result.error = errors.join(QStringLiteral("; "));
    return result;
}
