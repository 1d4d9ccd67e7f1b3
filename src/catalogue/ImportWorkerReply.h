#pragma once

#include "catalogue/ShortcutsWindowImport.h"

#include <QByteArray>
#include <optional>

// What a worker process that read one program file hands back on its standard output: the import's
// result as one JSON object, the sections as a data file of their own (read back with the strict
// decoder, as the discovery cache does).
namespace ImportWorkerReply {

QByteArray encode(const ShortcutsWindowImport::Result &result);
// Absent when `bytes` is not a whole reply.
std::optional<ShortcutsWindowImport::Result> decode(const QByteArray &bytes);

} // namespace ImportWorkerReply
